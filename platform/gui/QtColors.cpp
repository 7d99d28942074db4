#include "platform/gui/QtColors.h"

#include <QPainter>

namespace {
inline std::uint32_t SwapRB(std::uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }
}  // namespace

QImage ToQImage(const TBitmap& bmp) {
    if (bmp.Empty()) return {};
    QImage img(bmp.Width(), bmp.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bmp.Height(); ++y) {
        const std::uint32_t* src = bmp.Scanline(y);
        auto* dst = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
        for (int x = 0; x < bmp.Width(); ++x) dst[x] = 0xFF000000u | SwapRB(src[x]);
    }
    return img;
}

void FromQImage(const QImage& image, TBitmap& bmp, TColor background) {
    QImage img(image.size(), QImage::Format_RGB32);
    img.fill(ToQColor(background));
    {
        QPainter p(&img);
        p.drawImage(0, 0, image);
    }
    bmp.SetSize(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        std::uint32_t* dst = bmp.Scanline(y);
        for (int x = 0; x < img.width(); ++x) dst[x] = SwapRB(src[x] & 0xFFFFFF);
    }
}
