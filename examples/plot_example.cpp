// Draws the plotter's three-line example (1/x red, sin(x) green, the
// unparsable qq) and tan(x) in blue with a grid into a PNG file, so the
// output can be looked at. Usage: plot_example [file.png]
#include <QImage>
#include <cstdio>

#include "components/Vgraphics/Vgraphics.h"

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "plot_example.png";
    TVGraphics plot(nullptr);
    plot.Grid = true;
    TStringList expressions{"1/x", "sin(x)", "qq", "tan(x)"};
    TStringList colors{"255", "32768", "0", "16711680"};
    TStringList steps{"0", "0", "0", "0"};
    plot.SetExpressions(expressions);
    plot.SetColors(colors);
    plot.SetSteps(steps);

    TBitmap bitmap(640, 480);
    const int result = plot.DrawToCanvas(bitmap.Canvas());
    std::printf("DrawToCanvas returned %d (line 3, qq, cannot be parsed)\n", result);

    // 0x00BBGGRR pixels into an RGB image.
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint32_t* row = bitmap.Scanline(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = static_cast<TColor>(row[x]);
            image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    }
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    std::printf("wrote %s\n", path);
    return 0;
}
