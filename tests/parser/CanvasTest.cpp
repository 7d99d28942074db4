// The pixel canvas: GDI line, fill and copy semantics, pixel by pixel.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/graphics/Graphics.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

// Every pixel of `bmp` that is not white.
Pixels Inked(const TBitmap& bmp) {
    Pixels out;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Canvas().Pixel(x, y) != clWhite) out.insert({x, y});
    return out;
}

Pixels Line(int x0, int y0, int x1, int y1, int size = 12) {
    TBitmap bmp(size, size);
    bmp.Canvas().MoveTo(x0, y0);
    bmp.Canvas().LineTo(x1, y1);
    EXPECT_EQ(bmp.Canvas().PenPos().X, x1);
    EXPECT_EQ(bmp.Canvas().PenPos().Y, y1);
    return Inked(bmp);
}

}  // namespace

TEST(Canvas, SystemColoursResolve) {
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(clWindowText), 0);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    TBitmap bmp(2, 2);
    bmp.Canvas().SetPixel(0, 0, clBtnFace);
    EXPECT_EQ(bmp.Canvas().Pixel(0, 0), 0xF0F0F0);
}

TEST(Canvas, LinesLeaveOutTheEndPixel) {
    struct Case {
        int x0, y0, x1, y1;
        Pixels expected;
    };
    const Case cases[] = {
        {1, 1, 5, 1, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {5, 1, 1, 1, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {2, 1, 2, 4, {{2, 1}, {2, 2}, {2, 3}}},
        {2, 4, 2, 1, {{2, 4}, {2, 3}, {2, 2}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}}},
        {0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
        {0, 0, 2, 6, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}}},
        {4, 4, 4, 4, {}},                 // a zero-length line draws nothing
        {4, 4, 5, 4, {{4, 4}}},           // a two-point line draws its start only
    };
    for (const Case& c : cases)
        EXPECT_EQ(Line(c.x0, c.y0, c.x1, c.y1), c.expected) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
}

TEST(Canvas, LinesAreClippedToTheRaster) {
    TBitmap bmp(4, 3);
    bmp.Canvas().MoveTo(-100, 1);
    bmp.Canvas().LineTo(100, 1);
    EXPECT_EQ(Inked(bmp), (Pixels{{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
    bmp.Canvas().MoveTo(-2000000000, -2000000000);  // far outside: no overflow, nothing drawn
    bmp.Canvas().LineTo(2000000000, -1999999999);
    EXPECT_EQ(Inked(bmp).size(), 4u);
    EXPECT_EQ(bmp.Canvas().Pixel(-1, 0), clNone);
    EXPECT_EQ(bmp.Canvas().Pixel(4, 0), clNone);
    bmp.Canvas().SetPixel(7, 7, clRed);  // ignored
}

TEST(Canvas, ClippedLinesKeepTheirPixels) {
    // A line starting or ending outside a small raster lights the same pixels
    // as the same line drawn inside a large raster around it.
    const int off = 40;
    const int lines[][4] = {{-7, -3, 20, 9}, {15, -9, -4, 14}, {-30, 5, 3, 30}, {11, 11, -25, -2}};
    for (const auto& l : lines) {
        TBitmap small(12, 12), large(100, 100);
        small.Canvas().MoveTo(l[0], l[1]);
        small.Canvas().LineTo(l[2], l[3]);
        large.Canvas().MoveTo(l[0] + off, l[1] + off);
        large.Canvas().LineTo(l[2] + off, l[3] + off);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(small.Canvas().Pixel(x, y), large.Canvas().Pixel(x + off, y + off)) << l[0] << "," << l[1];
    }
}

TEST(Canvas, WidePenIsASquareAroundEachPixel) {
    TBitmap bmp(10, 10);
    bmp.Canvas().Pen.Width = 3;
    bmp.Canvas().MoveTo(3, 5);
    bmp.Canvas().LineTo(5, 5);
    Pixels expected;
    for (int x = 2; x <= 5; ++x)
        for (int y = 4; y <= 6; ++y) expected.insert({x, y});
    EXPECT_EQ(Inked(bmp), expected);
}

TEST(Canvas, FillRectIsHalfOpenNormalisedAndClipped) {
    TBitmap bmp(6, 6);
    TCanvas& c = bmp.Canvas();
    c.Brush.Color = clBlue;
    c.FillRect(Rect(4, 3, 1, 1));  // given back to front
    Pixels expected;
    for (int x = 1; x < 4; ++x)
        for (int y = 1; y < 3; ++y) expected.insert({x, y});
    EXPECT_EQ(Inked(bmp), expected);
    EXPECT_EQ(c.Pixel(1, 1), clBlue);
    c.FillRect(Rect(-10, -10, 100, 100));
    EXPECT_EQ(Inked(bmp).size(), 36u);
    c.Brush.Color = clWhite;
    c.Brush.Style = TBrushStyle::bsClear;
    c.FillRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(Inked(bmp).size(), 36u);
}

TEST(Canvas, RectangleOutlinesWithPenAndFillsWithBrush) {
    TBitmap bmp(8, 8);
    TCanvas& c = bmp.Canvas();
    c.Pen.Color = clRed;
    c.Brush.Color = clLime;
    c.MoveTo(7, 7);
    c.Rectangle(1, 2, 5, 6);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inBox = x >= 1 && x <= 4 && y >= 2 && y <= 5;
            const bool edge = inBox && (x == 1 || x == 4 || y == 2 || y == 5);
            const TColor want = edge ? clRed : inBox ? clLime : clWhite;
            EXPECT_EQ(c.Pixel(x, y), want) << x << "," << y;
        }
    EXPECT_EQ(c.PenPos().X, 7);  // the pen position stays
    c.Rectangle(6, 0, 7, 1);
    EXPECT_EQ(c.Pixel(6, 0), clRed);
}

TEST(Canvas, FloodFillBorderStopsAtTheBorderColour) {
    TBitmap bmp(10, 10);
    TCanvas& c = bmp.Canvas();
    c.Pen.Color = clBlack;
    c.Brush.Style = TBrushStyle::bsClear;
    c.Rectangle(2, 2, 8, 8);
    c.SetPixel(4, 4, clRed);  // not the border colour: gets filled too
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = clBlue;
    c.FloodFill(4, 5, clBlack, TFillStyle::fsBorder);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inner = x >= 3 && x <= 6 && y >= 3 && y <= 6;
            const bool edge = x >= 2 && x <= 7 && y >= 2 && y <= 7 && !inner;
            EXPECT_EQ(c.Pixel(x, y), inner ? clBlue : edge ? clBlack : clWhite) << x << "," << y;
        }
    // Starting on the border colour fills nothing; a brush equal to the
    // border colour floods everything else and still ends.
    c.FloodFill(2, 2, clBlack, TFillStyle::fsBorder);
    EXPECT_EQ(c.Pixel(0, 0), clWhite);
    c.Brush.Color = clBlack;
    c.FloodFill(0, 0, clBlack, TFillStyle::fsBorder);
    EXPECT_EQ(c.Pixel(9, 9), clBlack);
    EXPECT_EQ(c.Pixel(4, 4), clBlue);
}

TEST(Canvas, FloodFillSurfaceFillsTheConnectedColour) {
    TBitmap bmp(5, 5);
    TCanvas& c = bmp.Canvas();
    c.Pen.Color = clRed;
    c.MoveTo(2, 0);
    c.LineTo(2, 5);  // a red wall splits the white raster
    c.Brush.Color = clYellow;
    c.FloodFill(0, 0, clWhite, TFillStyle::fsSurface);
    EXPECT_EQ(c.Pixel(1, 4), clYellow);
    EXPECT_EQ(c.Pixel(2, 2), clRed);
    EXPECT_EQ(c.Pixel(3, 0), clWhite);
    c.FloodFill(3, 0, clRed, TFillStyle::fsSurface);  // start is not the surface colour
    EXPECT_EQ(c.Pixel(3, 0), clWhite);
    c.Brush.Color = clWhite;  // brush of the surface colour ends as well
    c.FloodFill(3, 0, clWhite, TFillStyle::fsSurface);
    EXPECT_EQ(c.Pixel(4, 4), clWhite);
    c.FloodFill(-1, 0, clWhite, TFillStyle::fsSurface);  // outside: nothing
}

TEST(Canvas, FloodFillOfAOneColourRasterFillsEveryPixel) {
    struct Case {
        TColor color;
        TFillStyle style;
        bool fills;
    };
    // The raster is silver: a border of another colour and a surface of
    // silver take all of it; a silver border or a white surface take nothing.
    for (const Case k : {Case{clWhite, TFillStyle::fsBorder, true}, Case{clSilver, TFillStyle::fsSurface, true},
                         Case{clSilver, TFillStyle::fsBorder, false}, Case{clWhite, TFillStyle::fsSurface, false}}) {
        TBitmap bmp(7, 3);
        TCanvas& c = bmp.Canvas();
        c.Brush.Color = clSilver;
        c.FillRect(Rect(0, 0, 7, 3));
        c.Brush.Color = clNavy;
        c.FloodFill(6, 2, k.color, k.style);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_EQ(c.Pixel(x, y), k.fills ? clNavy : clSilver) << x << "," << y;
    }
}

TEST(Canvas, FloodFillOfALongSerpentineNeedsNoRecursion) {
    // A 1-pixel corridor winding through the whole raster: a recursive fill
    // would nest once per pixel.
    const int n = 1001;
    TBitmap bmp(n, n);
    TCanvas& c = bmp.Canvas();
    for (int y = 1; y < n; y += 2) {
        c.MoveTo(y % 4 == 1 ? 0 : 1, y);
        c.LineTo(y % 4 == 1 ? n - 1 : n, y);
    }
    c.Brush.Color = clRed;
    c.FloodFill(0, 0, clBlack, TFillStyle::fsBorder);
    EXPECT_EQ(c.Pixel(n - 1, n - 1), clRed);
    EXPECT_EQ(c.Pixel(5, 1), clBlack);
}

TEST(Canvas, CopyRectCopiesScalesAndMirrors) {
    TBitmap src(2, 2);
    src.Canvas().SetPixel(0, 0, clRed);
    src.Canvas().SetPixel(1, 0, clLime);
    src.Canvas().SetPixel(0, 1, clBlue);
    src.Canvas().SetPixel(1, 1, clBlack);

    TBitmap same(4, 4);
    same.Canvas().CopyRect(Rect(1, 1, 3, 3), src.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(same.Canvas().Pixel(1, 1), clRed);
    EXPECT_EQ(same.Canvas().Pixel(2, 2), clBlack);
    EXPECT_EQ(same.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(same.Canvas().Pixel(3, 3), clWhite);

    TBitmap big(4, 4);
    big.Canvas().CopyRect(Rect(0, 0, 4, 4), src.Canvas(), Rect(0, 0, 2, 2));
    const TColor want[4][4] = {{clRed, clRed, clLime, clLime},
                               {clRed, clRed, clLime, clLime},
                               {clBlue, clBlue, clBlack, clBlack},
                               {clBlue, clBlue, clBlack, clBlack}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(big.Canvas().Pixel(x, y), want[y][x]) << x << "," << y;

    TBitmap small(1, 1);
    small.Canvas().CopyRect(Rect(0, 0, 1, 1), big.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(small.Canvas().Pixel(0, 0), clRed);

    TBitmap mirrored(2, 2);
    mirrored.Canvas().CopyRect(Rect(2, 0, 0, 2), src.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(mirrored.Canvas().Pixel(0, 0), clLime);
    EXPECT_EQ(mirrored.Canvas().Pixel(1, 1), clBlue);

    // Overlapping copy within one raster reads the pixels before the copy.
    TBitmap strip(4, 1);
    strip.Canvas().SetPixel(0, 0, clRed);
    strip.Canvas().SetPixel(1, 0, clBlue);
    strip.Canvas().CopyRect(Rect(1, 0, 4, 1), strip.Canvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(strip.Canvas().Pixel(1, 0), clRed);
    EXPECT_EQ(strip.Canvas().Pixel(2, 0), clBlue);
    EXPECT_EQ(strip.Canvas().Pixel(3, 0), clWhite);
}

TEST(Canvas, BitmapResizeKeepsPixelsAndAssignCopies) {
    TBitmap bmp(2, 2);
    bmp.Canvas().SetPixel(1, 1, clRed);
    bmp.SetSize(3, 3);
    EXPECT_EQ(bmp.Canvas().Pixel(1, 1), clRed);
    EXPECT_EQ(bmp.Canvas().Pixel(2, 2), clWhite);
    TBitmap copy = bmp;
    copy.Canvas().SetPixel(0, 0, clBlue);
    EXPECT_EQ(bmp.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(&copy.Canvas().Bitmap(), &copy);
    bmp.SetSize(-1, 5);
    EXPECT_TRUE(bmp.Empty());
}

TEST(Canvas, DrawingRaisesOnChange) {
    TBitmap bmp(3, 3);
    int changes = 0;
    bmp.Canvas().OnChange = [&] { ++changes; };
    bmp.Canvas().MoveTo(0, 0);
    bmp.Canvas().LineTo(2, 0);
    bmp.Canvas().FillRect(Rect(0, 0, 1, 1));
    bmp.Canvas().SetPixel(2, 2, clRed);
    EXPECT_EQ(changes, 3);
}

TEST(Canvas, SameSizeCopyClipsAtEveryEdge) {
    TBitmap src(6, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) src.Canvas().SetPixel(x, y, RGB(x * 40, y * 50, 9));
    const TRect cases[][2] = {
        {Rect(-2, -1, 4, 4), Rect(0, 0, 6, 5)},  // destination over the top-left edge
        {Rect(3, 2, 9, 7), Rect(0, 0, 6, 5)},    // over the bottom-right edge
        {Rect(0, 0, 6, 5), Rect(-1, 2, 5, 7)},   // source partly outside
    };
    for (const auto& c : cases) {
        TBitmap out(6, 5);
        out.Canvas().CopyRect(c[0], src.Canvas(), c[1]);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x) {
                const int fx = x - c[0].Left + c[1].Left, fy = y - c[0].Top + c[1].Top;
                const bool inside = x >= c[0].Left && x < c[0].Right && y >= c[0].Top && y < c[0].Bottom;
                const TColor s = src.Canvas().Pixel(fx, fy);
                const TColor want = inside && s >= 0 ? s : clWhite;
                EXPECT_EQ(out.Canvas().Pixel(x, y), want) << x << "," << y;
            }
    }
}
