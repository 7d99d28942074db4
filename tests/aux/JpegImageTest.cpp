// TJPEGImage: quality range, encoding read back by libjpeg and djpeg, errors.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/jpeg/JPEG.h"
#include "tests/aux/JpegFiles.h"

namespace {
TColor Gradient(int x, int y) { return RGB(2 * x, 3 * y, 200 - x); }

TBitmap GradientBitmap(int width, int height) {
    TBitmap bmp(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bmp.Canvas().SetPixel(x, y, Gradient(x, y));
    return bmp;
}
}  // namespace

TEST(JpegImage, QualityIsClampedIntoOneToHundred) {
    const struct {
        int given, kept;
    } cases[] = {{-5, 1}, {0, 1}, {1, 1}, {75, 75}, {100, 100}, {101, 100}, {256, 100}};
    for (const auto& c : cases) {
        TJPEGImage jpeg;
        jpeg.SetCompressionQuality(c.given);
        EXPECT_EQ(jpeg.CompressionQuality(), c.kept) << c.given;
    }
}

TEST(JpegImage, WrittenFileDecodesToTheAssignedPixels) {
    TempFolder dir;
    TJPEGImage jpeg;
    jpeg.SetProgressiveDisplay(false);
    jpeg.Assign(GradientBitmap(64, 48));
    jpeg.SetCompressionQuality(95);
    jpeg.Compress();
    jpeg.SaveToFile((dir / "g.jpg").string());

    EXPECT_TRUE(DjpegReads(dir / "g.jpg", 64, 48));
    const TBitmap decoded = DecodeJpegFile(dir / "g.jpg");
    ASSERT_EQ(decoded.Width(), 64);
    ASSERT_EQ(decoded.Height(), 48);
    const ChannelError e = MeanError(decoded, Gradient);
    EXPECT_LT(e.r, 1.5);
    EXPECT_LT(e.g, 1.5);
    EXPECT_LT(e.b, 1.5);
}

TEST(JpegImage, LowerQualityGivesASmallerFile) {
    // Noise-like content, so that the quantisation shows in the size.
    TBitmap bmp(80, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) bmp.Canvas().SetPixel(x, y, RGB((x * 37 + y * 91) % 256, (x * y) % 256, (x ^ y) * 4));
    TJPEGImage low, high;
    low.Assign(bmp);
    high.Assign(bmp);
    low.SetCompressionQuality(10);
    high.SetCompressionQuality(95);
    low.Compress();
    high.Compress();
    EXPECT_LT(low.Data().size() * 2, high.Data().size());
}

TEST(JpegImage, AssignDropsEarlierDataAndSaveCompressesWhenNeeded) {
    TempFolder dir;
    TJPEGImage jpeg;
    jpeg.Assign(GradientBitmap(16, 16));
    jpeg.Compress();
    jpeg.Assign(GradientBitmap(40, 24));
    EXPECT_TRUE(jpeg.Data().empty());
    jpeg.SaveToFile((dir / "second.jpg").string());
    EXPECT_TRUE(DjpegReads(dir / "second.jpg", 40, 24));
}

TEST(JpegImage, NothingToCompressOrAnEncoderRefusalIsAnInvalidGraphic) {
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.Compress(), EInvalidGraphic);
    jpeg.Assign(TBitmap(0, 10));
    EXPECT_THROW(jpeg.Compress(), EInvalidGraphic);
    // Wider than a JPEG can be: libjpeg gives up inside its own code.
    jpeg.Assign(TBitmap(70000, 1));
    try {
        jpeg.Compress();
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("JPEG error: "), AnsiString::npos);
    }
    // The encoder is usable again after a refusal.
    jpeg.Assign(TBitmap(4, 4));
    EXPECT_NO_THROW(jpeg.Compress());
}

TEST(JpegImage, FileThatCannotBeCreatedRaisesEFCreateError) {
    TempFolder dir;
    TJPEGImage jpeg;
    jpeg.Assign(GradientBitmap(8, 8));
    const std::string name = (dir / "missing" / "x.jpg").string();
    try {
        jpeg.SaveToFile(name);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + name + "\". ", 0), 0u) << e.Message();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}
