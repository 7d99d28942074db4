#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"

TEST(Form, ShowModalReturnsWhenClosedAndAsksCloseQuery) {
    TForm form(nullptr);
    int queries = 0, shows = 0;
    form.OnShow = [&](TObject*) { ++shows; };
    form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
    TTimer closer(nullptr);
    closer.SetInterval(10);
    closer.OnTimer = [&](TObject*) { form.Close(); };
    closer.SetEnabled(true);
    form.ShowModal();
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(queries, 2);  // the first close was refused
    EXPECT_FALSE(form.Visible());
}

TEST(Form, KeyPreviewSeesKeysFirst) {
    TForm form(nullptr);
    form.KeyPreview = true;
    char seen = 0;
    form.OnKeyPress = [&](TObject*, char& k) { seen = k; };
    form.Show();
    EXPECT_TRUE(form.NativeKeyPreview(27) == false);
    EXPECT_EQ(seen, 27);
    form.Hide();
}

TEST(Image, CanvasOfEmptyPictureHasControlSize) {
    TImage img(nullptr);
    img.SetBounds(0, 0, 30, 20);
    EXPECT_TRUE(img.Picture().Empty());
    img.Canvas().SetPixel(1, 1, clRed);
    EXPECT_EQ(img.Picture().Width(), 30);
    EXPECT_EQ(img.Picture().Height(), 20);
    img.ClearPicture();
    EXPECT_TRUE(img.Picture().Empty());
}

TEST(Image, ShowsEveryChangeOfItsPicture) {
    TForm form(nullptr);
    TImage img(&form);
    img.SetBounds(0, 0, 4, 4);
    img.SetParent(&form);
    form.SetClientSize(10, 10);
    form.Show();
    auto shown = [&] { return img.Widget()->grab().toImage().pixelColor(1, 1); };
    img.Canvas().SetPixel(1, 1, clRed);
    EXPECT_EQ(shown(), QColor(255, 0, 0));
    img.Canvas().SetPixel(1, 1, clLime);  // after a paint: the cached picture is renewed
    EXPECT_EQ(shown(), QColor(0, 255, 0));
    form.Hide();
}
