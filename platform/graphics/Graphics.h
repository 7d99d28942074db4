#pragma once
// Pixel graphics of the class library: colours, pens, brushes, bitmaps and a
// canvas with the drawing semantics of the Windows GDI, over a 32-bit raster
// so that every pixel is exact.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/Classes.h"

// 0x00BBGGRR: 255 is red, 32768 green. Values with the top byte 0xFF name a
// system colour (index in the low byte), resolved by ColorToRGB.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clNone = -1;  // no colour: what Pixel reports outside the raster

// A system colour to its 0x00BBGGRR value; other colours unchanged.
TColor ColorToRGB(TColor c);

constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

struct TPoint {
    int X = 0;
    int Y = 0;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};
inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

enum class TBrushStyle { bsSolid, bsClear };
enum class TFillStyle { fsSurface, fsBorder };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

// A raster of Width x Height pixels, each 0x00BBGGRR; it owns its pixels.
class TBitmap;

// Drawing surface over a raster. Coordinates outside the raster are clipped.
// MoveTo/LineTo follow the GDI: the end pixel of a line is not drawn, and the
// pen position moves to it. FillRect fills [Left, Right) x [Top, Bottom) with
// the brush. FloodFill with fsBorder fills from (x, y) until pixels of
// `color`; with fsSurface it fills the connected area that has `color`.
// CopyRect copies a source rectangle into a destination rectangle, scaling
// when their sizes differ.
class TCanvas : public TObject {
public:
    explicit TCanvas(TBitmap& target) : target_(&target) {}

    TPen Pen;
    TBrush Brush;

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void FillRect(const TRect& r);
    // Outline with the pen and, unless the brush is clear, interior with the
    // brush; the GDI's Rectangle: right and bottom edges exclusive.
    void Rectangle(int left, int top, int right, int bottom);
    void FloodFill(int x, int y, TColor color, TFillStyle style);
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& src);

    TColor Pixel(int x, int y) const;  // -1 (clNone) outside the raster
    void SetPixel(int x, int y, TColor c);

    int Width() const;
    int Height() const;
    TBitmap& Bitmap() const { return *target_; }

    // Raised after every drawing operation, so that a control showing the
    // raster can repaint.
    std::function<void()> OnChange;

private:
    void Changed() const {
        if (OnChange) OnChange();
    }
    void PlotPen(int x, int y);
    void FillPixels(TRect r, std::uint32_t value);
    TBitmap* target_;
    TPoint penPos_;
};

class TBitmap : public TObject {
public:
    TBitmap() : canvas_(*this) {}
    TBitmap(int width, int height) : canvas_(*this) { SetSize(width, height); }
    TBitmap(const TBitmap& other) : canvas_(*this) { Assign(other); }
    TBitmap& operator=(const TBitmap& other) {
        Assign(other);
        return *this;
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // New pixels are white, as a fresh bitmap of the library.
    void SetSize(int width, int height);
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    void Assign(const TBitmap& other);

    TCanvas& Canvas() { return canvas_; }
    const TCanvas& Canvas() const { return canvas_; }

    std::uint32_t* Scanline(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const std::uint32_t* Scanline(int y) const { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    TCanvas canvas_;
};
