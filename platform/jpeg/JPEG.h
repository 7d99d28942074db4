#pragma once
// JPEG pictures of the class library, encoded with libjpeg.
#include <cstdint>
#include <vector>

#include "platform/graphics/Graphics.h"

class TJPEGImage : public TObject {
public:
    // Display-time switch of the library's picture class: a decoded picture
    // would be shown in passes. It has no influence on the written file,
    // which is always a baseline JPEG.
    bool ProgressiveDisplay() const { return progressiveDisplay_; }
    void SetProgressiveDisplay(bool on) { progressiveDisplay_ = on; }

    // 1 (smallest file) to 100 (best picture); values outside are clamped
    // into that range. Takes effect at the next Compress.
    int CompressionQuality() const { return quality_; }
    void SetCompressionQuality(int quality);

    // Takes a copy of the bitmap's pixels; any earlier compressed data is dropped.
    void Assign(const TBitmap& bitmap);
    int Width() const { return pixels_.Width(); }
    int Height() const { return pixels_.Height(); }
    bool Empty() const { return pixels_.Empty(); }

    // Encodes the assigned pixels. Raises EInvalidGraphic when there is
    // nothing to encode or the encoder refuses.
    void Compress();
    // The encoded file contents; empty before Compress.
    const std::vector<std::uint8_t>& Data() const { return data_; }

    // Writes the encoded data (compressing first when needed), creating or
    // overwriting the file. Raises EFCreateError "Cannot create file \"%s\". %s"
    // when the file cannot be created and EWriteError "Stream write error"
    // when the data does not reach it.
    void SaveToFile(const AnsiString& fileName);

private:
    TBitmap pixels_;
    std::vector<std::uint8_t> data_;
    int quality_ = 90;
    bool progressiveDisplay_ = true;
};
