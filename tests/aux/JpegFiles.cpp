#include "tests/aux/JpegFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

TBitmap DecodeJpegFile(const std::filesystem::path& file) {
    std::vector<unsigned char> bytes;
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "rb"), std::fclose);
        if (!f) {
            ADD_FAILURE() << "cannot open " << file;
            return {};
        }
        unsigned char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    }
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        ADD_FAILURE() << file << " does not start with a JPEG marker";
        return {};
    }
    // libjpeg's default error handling ends the process, which fails the
    // test run loudly enough for a broken file that passed the marker check.
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    TBitmap picture(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
    std::vector<unsigned char> row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        unsigned char* rows[] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        for (int x = 0; x < picture.Width(); ++x)
            picture.Scanline(y)[x] = static_cast<std::uint32_t>(RGB(row[3 * x], row[3 * x + 1], row[3 * x + 2]));
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return picture;
}

bool DjpegReads(const std::filesystem::path& file, int width, int height) {
    const std::filesystem::path ppm = file.string() + ".ppm";
    const std::string command = "djpeg -pnm -outfile '" + ppm.string() + "' '" + file.string() + "'";
    if (std::system(command.c_str()) != 0) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(ppm.c_str(), "rb"), std::fclose);
    int w = 0, h = 0, maxValue = 0;
    const bool header = f && std::fscanf(f.get(), "P6 %d %d %d", &w, &h, &maxValue) == 3;
    f.reset();
    std::filesystem::remove(ppm);
    return header && w == width && h == height && maxValue == 255;
}

ChannelError MeanError(const TBitmap& picture, const std::function<TColor(int x, int y)>& expected) {
    ChannelError e;
    const double count = static_cast<double>(picture.Width()) * picture.Height();
    if (count == 0) return {255, 255, 255};
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const TColor got = static_cast<TColor>(picture.Scanline(y)[x]);
            const TColor want = expected(x, y);
            e.r += std::abs(GetRValue(got) - GetRValue(want));
            e.g += std::abs(GetGValue(got) - GetGValue(want));
            e.b += std::abs(GetBValue(got) - GetBValue(want));
        }
    return {e.r / count, e.g / count, e.b / count};
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "aux_test_XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}
