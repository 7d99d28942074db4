#pragma once
// Reading back JPEG files in tests: libjpeg's decoder, and Debian's djpeg
// as an independent reader.
#include <filesystem>

#include "platform/graphics/Graphics.h"

// The decoded pixels as 0x00BBGGRR; fails the test and gives an empty
// bitmap when the file is not a JPEG.
TBitmap DecodeJpegFile(const std::filesystem::path& file);
// Whether djpeg reads the file as a picture of width x height.
bool DjpegReads(const std::filesystem::path& file, int width, int height);

// Mean absolute difference per channel (R, G, B) between the decoded
// picture and `expected(x, y)`.
struct ChannelError {
    double r = 0, g = 0, b = 0;
};
ChannelError MeanError(const TBitmap& picture, const std::function<TColor(int x, int y)>& expected);

// A fresh empty folder for one test's files, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const char* name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};
