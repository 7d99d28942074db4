// TVSnapShot of a 469 x 69 control at quality 75 against libjpeg-turbo
// encoding the same pixels straight to a file; prints the ratio of the two.
// Goal: the snapshot takes at most 1.5 times the plain encode.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "components/Vsnapshot/Vsnapshot.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/jpeg/FormPixels.h"

namespace {
constexpr int kWidth = 469, kHeight = 69, kLeft = 10, kTop = 12;

struct Scene {
    Scene() {
        form.SetClientSize(kWidth + 2 * kLeft, kHeight + 2 * kTop);
        backdrop->SetParent(&form);
        backdrop->SetBounds(0, 0, form.ClientWidth(), form.ClientHeight());
        TBitmap pixels(form.ClientWidth(), form.ClientHeight());
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < pixels.Width(); ++x)
                pixels.Canvas().SetPixel(x, y, RGB(x / 2, (x * y) / 64, 255 - y * 3));
        backdrop->SetPicture(pixels);
        control->SetParent(&form);
        control->SetBounds(kLeft, kTop, kWidth, kHeight);
        form.Show();
        Application->ProcessMessages();
    }
    TForm form{nullptr};
    TImage* backdrop = new TImage(&form);
    TImage* control = new TImage(&form);
    std::string file = (std::filesystem::temp_directory_path() / "snapshot_bench.jpg").string();
};

Scene* scene = nullptr;

void BM_SnapShot(benchmark::State& state) {
    TVSnapShot snap(nullptr);
    for (auto _ : state) snap.SaveToJPEGFile(75, scene->file, &scene->form, scene->control, 0, 0);
}
BENCHMARK(BM_SnapShot)->Unit(benchmark::kMicrosecond);

// The peer: the control's pixels as packed RGB, encoded with libjpeg's
// defaults at quality 75 into a file through its stdio destination.
void BM_LibjpegEncode(benchmark::State& state) {
    const TBitmap pixels = FormPixels(scene->form, Rect(kLeft, kTop, kLeft + kWidth, kTop + kHeight));
    std::vector<JSAMPLE> rgb;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const TColor c = static_cast<TColor>(pixels.Scanline(y)[x]);
            rgb.insert(rgb.end(), {JSAMPLE(GetRValue(c)), JSAMPLE(GetGValue(c)), JSAMPLE(GetBValue(c))});
        }
    for (auto _ : state) {
        std::FILE* out = std::fopen(scene->file.c_str(), "wb");
        jpeg_compress_struct cinfo{};
        jpeg_error_mgr err{};
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_compress(&cinfo);
        jpeg_stdio_dest(&cinfo, out);
        cinfo.image_width = kWidth;
        cinfo.image_height = kHeight;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 75, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = rgb.data() + static_cast<size_t>(cinfo.next_scanline) * kWidth * 3;
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        std::fclose(out);
    }
}
BENCHMARK(BM_LibjpegEncode)->Unit(benchmark::kMicrosecond);

// Shows the usual table and keeps each benchmark's times per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) {
                wall[run.benchmark_name()] = run.GetAdjustedRealTime();
                cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
    }
    std::map<std::string, double> wall, cpu;
};

void PrintRatio(const char* kind, std::map<std::string, double>& times) {
    const double ours = times["BM_SnapShot"], peer = times["BM_LibjpegEncode"];
    if (ours > 0 && peer > 0)
        std::printf("snapshot / libjpeg-turbo encode, %s time: %.2f (goal <= 1.50)\n", kind, ours / peer);
}
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    TApplication app(argc, argv);
    Scene s;
    scene = &s;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatio("wall", reporter.wall);
    PrintRatio("CPU", reporter.cpu);
    std::filesystem::remove(s.file);
    benchmark::Shutdown();
    return 0;
}
