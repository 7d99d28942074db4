#include "platform/jpeg/FormPixels.h"

#include <bit>

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "platform/gui/Forms.h"

// Our 0x00BBGGRR words lie in memory as R, G, B, unused: the toolkit's
// byte-ordered RGBX format, so it paints straight into the bitmap.
static_assert(std::endian::native == std::endian::little, "bitmap words are read as bytes R, G, B, X");

TBitmap FormPixels(const TForm& form, const TRect& area) {
    TBitmap bitmap(area.Width(), area.Height());
    if (bitmap.Empty()) return bitmap;
    {
        QImage image(reinterpret_cast<uchar*>(bitmap.Scanline(0)), bitmap.Width(), bitmap.Height(),
                     bitmap.Width() * 4, QImage::Format_RGBX8888);
        // One device pixel per layer pixel, whatever the screen's scale.
        QWidget* widget = form.Widget();
        widget->render(&image, QPoint(0, 0), QRegion(area.Left, area.Top, area.Width(), area.Height()) & widget->rect());
    }
    // The toolkit sets the unused byte to 255; ours is 0 (a top byte of 255
    // would name a system colour).
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint32_t* line = bitmap.Scanline(y);
        for (int x = 0; x < bitmap.Width(); ++x) line[x] &= 0x00FFFFFFu;
    }
    return bitmap;
}
