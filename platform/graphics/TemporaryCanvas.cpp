// Minimal stand-in until the full canvas lands.
#include "platform/graphics/Graphics.h"

TColor ColorToRGB(TColor c) {
    if ((static_cast<std::uint32_t>(c) & 0xFF000000u) != 0xFF000000u) return c;
    switch (c & 0xFF) {
    case 5: return 0xFFFFFF;
    case 8: return 0;
    default: return 0xF0F0F0;
    }
}
void TBitmap::SetSize(int w, int h) {
    width_ = w < 0 ? 0 : w;
    height_ = h < 0 ? 0 : h;
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0xFFFFFF);
}
void TBitmap::Assign(const TBitmap& o) {
    width_ = o.width_;
    height_ = o.height_;
    pixels_ = o.pixels_;
}
int TCanvas::Width() const { return target_->Width(); }
int TCanvas::Height() const { return target_->Height(); }
TColor TCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return -1;
    return static_cast<TColor>(target_->Scanline(y)[x]);
}
void TCanvas::SetPixel(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    target_->Scanline(y)[x] = static_cast<std::uint32_t>(ColorToRGB(c));
}
void TCanvas::FillRect(const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) SetPixel(x, y, Brush.Color);
    Changed();
}
void TCanvas::CopyRect(const TRect& d, const TCanvas& s, const TRect& sr) {
    for (int y = 0; y < d.Height() && y < sr.Height(); ++y)
        for (int x = 0; x < d.Width() && x < sr.Width(); ++x) {
            const TColor c = s.Pixel(sr.Left + x, sr.Top + y);
            if (c >= 0) SetPixel(d.Left + x, d.Top + y, c);
        }
    Changed();
}
void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }
void TCanvas::LineTo(int x, int y) { penPos_ = {x, y}; }
void TCanvas::Rectangle(int, int, int, int) {}
void TCanvas::FloodFill(int, int, TColor, TFillStyle) {}
