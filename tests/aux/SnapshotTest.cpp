// TVSnapShot on a real form rendered offscreen, read back with libjpeg and djpeg.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "components/Vsnapshot/Vsnapshot.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "tests/aux/JpegFiles.h"

namespace {
// Smooth in both directions, so JPEG keeps it closely, and steep enough
// that a rectangle off by a pixel or two shows in the error.
TColor Backdrop(int x, int y) { return RGB(2 * x, 3 * y, 220 - x); }

// A form painted with the backdrop over its whole client area, and the
// control to photograph: an empty picture at (10, 20), 100 x 50, that paints
// nothing of its own, so what it occupies shows the backdrop.
class SnapshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetClientSize(120, 80);
        form->SetColor(clBlack);
        auto* backdrop = new TImage(form);
        backdrop->SetParent(form);
        backdrop->SetBounds(0, 0, 120, 80);
        TBitmap pixels(120, 80);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x) pixels.Canvas().SetPixel(x, y, Backdrop(x, y));
        backdrop->SetPicture(pixels);
        control = new TImage(form);
        control->SetParent(form);
        control->SetBounds(10, 20, 100, 50);
        form->Show();
        QApplication::processEvents();
    }
    void TearDown() override { delete form; }

    // Error of the decoded file against the backdrop seen from (left, top).
    ChannelError ErrorAgainstArea(const std::filesystem::path& file, int left, int top) {
        const TBitmap picture = DecodeJpegFile(file);
        EXPECT_EQ(picture.Width(), 100);
        EXPECT_EQ(picture.Height(), 50);
        return MeanError(picture, [&](int x, int y) { return Backdrop(left + x, top + y); });
    }

    TempFolder dir;
    TVSnapShot snap{nullptr};
    TForm* form = nullptr;
    TImage* control = nullptr;
};

// JPEG error on the smooth backdrop stays below 1.5 per channel; a shift of
// one pixel costs 2 in red or 3 in green.
constexpr double kJpegError = 1.5;

void ExpectClose(const ChannelError& e) {
    EXPECT_LT(e.r, kJpegError);
    EXPECT_LT(e.g, kJpegError);
    EXPECT_LT(e.b, kJpegError);
}
}  // namespace

TEST_F(SnapshotTest, SavesTheFormAreaTheControlOccupies) {
    const int before = form->ComponentCount();
    snap.SaveToJPEGFile(95, (dir / "shot.jpg").string(), form, control, 0, 0);
    EXPECT_TRUE(DjpegReads(dir / "shot.jpg", 100, 50));
    ExpectClose(ErrorAgainstArea(dir / "shot.jpg", 10, 20));
    EXPECT_EQ(form->ComponentCount(), before);  // the hidden picture is gone
}

TEST_F(SnapshotTest, OffsetsShiftTheRectangle) {
    snap.SaveToJPEGFile(95, (dir / "shot.jpg").string(), form, control, 7, -12);
    ExpectClose(ErrorAgainstArea(dir / "shot.jpg", 17, 8));
    const ChannelError unshifted = ErrorAgainstArea(dir / "shot.jpg", 10, 20);
    EXPECT_GT(unshifted.r + unshifted.g, 10 * kJpegError);
}

TEST_F(SnapshotTest, AreaBeyondTheFormKeepsTheHiddenPicturesWhite) {
    // The rectangle reaches 30 pixels past the right edge of the form.
    snap.SaveToJPEGFile(95, (dir / "shot.jpg").string(), form, control, 40, 0);
    const TBitmap picture = DecodeJpegFile(dir / "shot.jpg");
    ASSERT_EQ(picture.Width(), 100);
    const TColor beyond = static_cast<TColor>(picture.Scanline(25)[95]);
    EXPECT_GT(GetRValue(beyond), 240);
    EXPECT_GT(GetGValue(beyond), 240);
    EXPECT_GT(GetBValue(beyond), 240);
}

TEST_F(SnapshotTest, MissingFolderReturnsQuietlyAndWritesNothing) {
    EXPECT_NO_THROW(snap.SaveToJPEGFile(75, (dir / "no" / "shot.jpg").string(), form, control, 0, 0));
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(SnapshotTest, SecondCallOverwritesTheFile) {
    const auto file = dir / "shot.jpg";
    {
        std::ofstream(file) << std::string(100000, 'x');  // longer than any snapshot here
    }
    snap.SaveToJPEGFile(95, file.string(), form, control, 0, 0);
    snap.SaveToJPEGFile(95, file.string(), form, control, 5, 5);
    EXPECT_LT(std::filesystem::file_size(file), 100000u);
    ExpectClose(ErrorAgainstArea(file, 15, 25));
}

TEST_F(SnapshotTest, QualityOutsideTheRangeIsClampedNotRefused) {
    snap.SaveToJPEGFile(0, (dir / "low.jpg").string(), form, control, 0, 0);
    snap.SaveToJPEGFile(500, (dir / "high.jpg").string(), form, control, 0, 0);
    EXPECT_TRUE(DjpegReads(dir / "low.jpg", 100, 50));
    EXPECT_TRUE(DjpegReads(dir / "high.jpg", 100, 50));
    EXPECT_LT(std::filesystem::file_size(dir / "low.jpg"), std::filesystem::file_size(dir / "high.jpg"));
}
