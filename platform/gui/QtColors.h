#pragma once
// Layer-internal conversions between our colours and rasters and Qt's.
#include <QColor>
#include <QImage>

#include "platform/graphics/Graphics.h"

inline QColor ToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// A QImage sharing nothing with the bitmap (0x00BBGGRR to 0xFFRRGGBB).
QImage ToQImage(const TBitmap& bmp);
// The bitmap's pixels from an image; alpha is composed over `background`.
void FromQImage(const QImage& image, TBitmap& bmp, TColor background = clWhite);
