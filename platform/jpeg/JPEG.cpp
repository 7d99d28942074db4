#include "platform/jpeg/JPEG.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/core/SysUtils.h"
#include "platform/jpeg/JpegEncoder.h"

void TJPEGImage::SetCompressionQuality(int quality) { quality_ = std::clamp(quality, 1, 100); }

void TJPEGImage::Assign(const TBitmap& bitmap) {
    pixels_.Assign(bitmap);
    data_.clear();
}

void TJPEGImage::Compress() {
    if (pixels_.Empty()) throw EInvalidGraphic("Cannot compress an empty picture");
    data_ = EncodeJpeg(pixels_.Scanline(0), pixels_.Width(), pixels_.Height(), quality_);
}

void TJPEGImage::SaveToFile(const AnsiString& fileName) {
    if (data_.empty()) Compress();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "wb"), std::fclose);
    if (!file) throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName, std::strerror(errno)));
    const bool written = std::fwrite(data_.data(), 1, data_.size(), file.get()) == data_.size();
    if (std::fclose(file.release()) != 0 || !written) throw EWriteError("Stream write error");
}
