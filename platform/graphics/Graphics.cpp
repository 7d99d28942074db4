#include "platform/graphics/Graphics.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Default values of the system colours (index = low byte), as 0x00BBGGRR.
constexpr TColor kSystemColors[] = {
    0xC8C8C8,  // 0 scroll bar
    0x000000,  // 1 desktop background
    0xD1B499,  // 2 active caption
    0xDBCDBF,  // 3 inactive caption
    0xF0F0F0,  // 4 menu
    0xFFFFFF,  // 5 window
    0x646464,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0x000000,  // 9 caption text
    0xB4B4B4,  // 10 active border
    0xFCF7F4,  // 11 inactive border
    0xABABAB,  // 12 application workspace
    0xD77800,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0xA0A0A0,  // 16 button shadow
    0x6D6D6D,  // 17 grey text
    0x000000,  // 18 button text
    0x000000,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x696969,  // 21 3D dark shadow
    0xE3E3E3,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
};

constexpr std::uint32_t kWhite = 0xFFFFFF;

std::uint32_t Raw(TColor c) { return static_cast<std::uint32_t>(ColorToRGB(c)) & 0xFFFFFFu; }

}  // namespace

TColor ColorToRGB(TColor c) {
    if ((static_cast<std::uint32_t>(c) & 0xFF000000u) != 0xFF000000u) return c;
    const unsigned index = static_cast<std::uint32_t>(c) & 0xFFu;
    if (index < std::size(kSystemColors)) return kSystemColors[index];
    return clBlack;
}

// ---------------------------------------------------------------- TBitmap

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    // The part that both sizes share keeps its pixels; the rest is white.
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), kWhite);
    const int keepW = std::min(width, width_);
    const int keepH = std::min(height, height_);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(Scanline(y), keepW, pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width));
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

void TBitmap::Assign(const TBitmap& other) {
    if (&other == this) return;
    width_ = other.width_;
    height_ = other.height_;
    pixels_ = other.pixels_;
}

// ---------------------------------------------------------------- TCanvas

int TCanvas::Width() const { return target_->Width(); }
int TCanvas::Height() const { return target_->Height(); }

TColor TCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return clNone;
    return static_cast<TColor>(target_->Scanline(y)[x]);
}

void TCanvas::SetPixel(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    target_->Scanline(y)[x] = Raw(c);
    Changed();
}

void TCanvas::MoveTo(int x, int y) { penPos_ = TPoint{x, y}; }

// Pens wider than one pixel are drawn as a square of Width x Width pixels
// centred on every pixel of the one-pixel line (the GDI rounds the ends of
// wide lines; the square is close enough for the library's uses).
void TCanvas::PlotPen(int x, int y) {
    const int w = std::max(Pen.Width, 1);
    if (w == 1) {
        if (x >= 0 && y >= 0 && x < Width() && y < Height()) target_->Scanline(y)[x] = Raw(Pen.Color);
        return;
    }
    const int from = -(w - 1) / 2;
    FillPixels(TRect{x + from, y + from, x + from + w, y + from + w}, Raw(Pen.Color));
}

// Bresenham's line from the pen position towards (x, y), leaving out the end
// pixel as the GDI does. Where the ideal line passes exactly between two
// pixels, the one nearer to the start row (or column) is taken: pixel i of
// the line lies at minor offset floor((2*minor*i + major - 1) / (2*major)).
// Only the steps whose major coordinate can touch the raster are walked, so
// lines with far-away end points cost no more than the visible part.
void TCanvas::LineTo(int x, int y) {
    const long long x0 = penPos_.X, y0 = penPos_.Y;
    const long long dx = std::llabs(x - x0), dy = std::llabs(y - y0);
    const bool xMajor = dx >= dy;
    const long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const long long a0 = xMajor ? x0 : y0, b0 = xMajor ? y0 : x0;
    const int sa = (xMajor ? x >= x0 : y >= y0) ? 1 : -1;
    const int sb = (xMajor ? y >= y0 : x >= x0) ? 1 : -1;
    const long long extent = xMajor ? Width() : Height();
    const long long pad = std::max(Pen.Width, 1);  // a wide pen reaches this far

    // Steps i in [lo, hi) keep a0 + sa*i within [-pad, extent + pad).
    long long lo = 0, hi = major;
    if (sa > 0) {
        lo = std::max(lo, -pad - a0);
        hi = std::min(hi, extent + pad - a0);
    } else {
        lo = std::max(lo, a0 - (extent + pad) + 1);
        hi = std::min(hi, a0 + pad + 1);
    }
    if (lo < hi) {
        using Wide = __int128;
        long long k = static_cast<long long>((Wide{2} * minor * lo + major - 1) / (Wide{2} * major));
        long long err = static_cast<long long>(Wide{2} * minor * (lo + 1) - major - Wide{2} * major * k);
        for (long long i = lo; i < hi; ++i) {
            const long long a = a0 + sa * i, b = b0 + sb * k;
            const long long px = xMajor ? a : b, py = xMajor ? b : a;
            if (px >= -pad && py >= -pad && px <= Width() + pad && py <= Height() + pad)
                PlotPen(static_cast<int>(px), static_cast<int>(py));
            if (err > 0) {
                ++k;
                err -= 2 * major;
            }
            err += 2 * minor;
        }
    }
    penPos_ = TPoint{x, y};
    Changed();
}

// Fills the clipped rectangle [Left, Right) x [Top, Bottom) with one value.
void TCanvas::FillPixels(TRect r, std::uint32_t value) {
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, Width());
    r.Bottom = std::min(r.Bottom, Height());
    for (int yy = r.Top; yy < r.Bottom; ++yy) {
        std::uint32_t* row = target_->Scanline(yy);
        std::fill(row + r.Left, row + r.Right, value);
    }
}

namespace {
TRect Normalized(TRect r) {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}
}  // namespace

void TCanvas::FillRect(const TRect& r) {
    if (Brush.Style == TBrushStyle::bsClear) return;
    FillPixels(Normalized(r), Raw(Brush.Color));
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    const TRect r = Normalized(TRect{left, top, right, bottom});
    if (r.Width() == 0 || r.Height() == 0) return;
    if (Brush.Style != TBrushStyle::bsClear)
        FillPixels(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, Raw(Brush.Color));
    const TPoint saved = penPos_;
    const int l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
    // Four one-pixel-short lines close the outline exactly once per corner.
    MoveTo(l, t);
    LineTo(rr, t);
    LineTo(rr, b);
    LineTo(l, b);
    LineTo(l, t);
    if (rr == l && b == t) PlotPen(l, t);  // a one-pixel box has no line to draw
    penPos_ = saved;
    Changed();
}

// Scanline flood fill with an explicit stack: deep areas never exhaust the
// call stack. A pixel belongs to the area when `inside` says so; each pixel
// is visited once, so a brush of the border or surface colour terminates.
void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
    const int w = Width(), h = Height();
    if (x < 0 || y < 0 || x >= w || y >= h || Brush.Style == TBrushStyle::bsClear) return;
    const std::uint32_t ref = Raw(color);
    const std::uint32_t fill = Raw(Brush.Color);
    const bool border = style == TFillStyle::fsBorder;
    std::vector<bool> done(static_cast<size_t>(w) * static_cast<size_t>(h), false);
    auto at = [&](int xx, int yy) { return static_cast<size_t>(yy) * static_cast<size_t>(w) + static_cast<size_t>(xx); };
    auto inside = [&](int xx, int yy) {
        if (done[at(xx, yy)]) return false;
        const bool same = target_->Scanline(yy)[xx] == ref;
        return border ? !same : same;
    };
    if (!inside(x, y)) return;

    // A raster of one colour is one area: every pixel is filled, which is
    // what the scanline walk below would reach, at the cost of one pass.
    const std::uint32_t* first = target_->Scanline(0);
    const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
    if (std::all_of(first, first + count, [seed = first[0]](std::uint32_t v) { return v == seed; })) {
        std::fill_n(target_->Scanline(0), count, fill);
        Changed();
        return;
    }

    std::vector<TPoint> stack{TPoint{x, y}};
    while (!stack.empty()) {
        const TPoint p = stack.back();
        stack.pop_back();
        if (!inside(p.X, p.Y)) continue;
        int l = p.X, r = p.X;
        while (l > 0 && inside(l - 1, p.Y)) --l;
        while (r + 1 < w && inside(r + 1, p.Y)) ++r;
        std::uint32_t* row = target_->Scanline(p.Y);
        for (int xx = l; xx <= r; ++xx) {
            row[xx] = fill;
            done[at(xx, p.Y)] = true;
        }
        for (const int ny : {p.Y - 1, p.Y + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool run = false;  // push one seed per run of inside pixels
            for (int xx = l; xx <= r; ++xx) {
                const bool in = inside(xx, ny);
                if (in && !run) stack.push_back(TPoint{xx, ny});
                run = in;
            }
        }
    }
    Changed();
}

// Nearest-neighbour copy from `src` of `source` into `dest`. Rectangles of
// different sizes scale; a rectangle with Right < Left (or Bottom < Top) on
// one side only mirrors. Source pixels outside the source raster are not
// copied, destination pixels outside this raster are clipped.
void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& src) {
    const long long dw = static_cast<long long>(dest.Right) - dest.Left;
    const long long dh = static_cast<long long>(dest.Bottom) - dest.Top;
    const long long sw = static_cast<long long>(src.Right) - src.Left;
    const long long sh = static_cast<long long>(src.Bottom) - src.Top;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
    TBitmap copy;  // copying within one raster reads from a snapshot
    const TBitmap* from = &source.Bitmap();
    if (from == target_) {
        copy = *from;
        from = &copy;
    }
    const TBitmap& snapshot = *from;
    if (dw == sw && dh == sh && dw > 0 && dh > 0) {
        // Same size and orientation: whole clipped row spans at a time.
        const long long lo = std::max({0LL, -static_cast<long long>(dest.Left), -static_cast<long long>(src.Left)});
        const long long hi = std::min({dw, Width() - static_cast<long long>(dest.Left), snapshot.Width() - static_cast<long long>(src.Left)});
        for (long long j = 0; lo < hi && j < dh; ++j) {
            const long long ty = dest.Top + j, fy = src.Top + j;
            if (ty < 0 || ty >= Height() || fy < 0 || fy >= snapshot.Height()) continue;
            std::copy_n(snapshot.Scanline(static_cast<int>(fy)) + src.Left + lo, hi - lo,
                        target_->Scanline(static_cast<int>(ty)) + dest.Left + lo);
        }
        Changed();
        return;
    }
    const long long adw = std::llabs(dw), adh = std::llabs(dh), asw = std::llabs(sw), ash = std::llabs(sh);
    // Pixel i of a span starting at `start` with signed extent `extent`.
    auto pos = [](long long start, long long extent, long long i) { return extent > 0 ? start + i : start - 1 - i; };
    for (long long j = 0; j < adh; ++j) {
        const long long ty = pos(dest.Top, dh, j);
        const long long fy = pos(src.Top, sh, j * ash / adh);
        if (ty < 0 || ty >= Height() || fy < 0 || fy >= snapshot.Height()) continue;
        std::uint32_t* out = target_->Scanline(static_cast<int>(ty));
        const std::uint32_t* in = snapshot.Scanline(static_cast<int>(fy));
        for (long long i = 0; i < adw; ++i) {
            const long long tx = pos(dest.Left, dw, i);
            const long long fx = pos(src.Left, sw, i * asw / adw);
            if (tx < 0 || tx >= Width() || fx < 0 || fx >= snapshot.Width()) continue;
            out[tx] = in[fx];
        }
    }
    Changed();
}
