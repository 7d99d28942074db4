// Writing 100,000 TVMidi entries (chords of one to three notes, mixed length
// codes) against mido's save() of the same events, run as a subprocess in
// the same run. Prints the ratio of the two; the goal is at most 1/10.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "components/Vmidi/Vmidi.h"

namespace {

constexpr int kEntries = 100000;
const char* const kCodes[] = {"4", "8", "16", "32", "T8", "P4", "D16", "2", "T32", "1"};

std::filesystem::path Scratch(const char* name) {
    return std::filesystem::temp_directory_path() / ("vmidi-bench-" + std::to_string(getpid()) + "-" + name);
}

void FillEntries(TVMidi& midi) {
    midi.ClearNotes();
    unsigned state = 12345;
    auto next = [&] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7FFF; };
    for (int i = 0; i < kEntries; ++i) {
        std::string chord = std::to_string(36 + next() % 60);
        for (unsigned extra = next() % 3; extra > 0; --extra) chord += "," + std::to_string(36 + next() % 60);
        midi.AddNote(chord, kCodes[next() % std::size(kCodes)], std::to_string(1 + next() % 127));
    }
}

void BM_TVMidiWriteMidiFile(benchmark::State& state) {
    TVMidi midi(nullptr);
    midi.ExactLengths = true;
    FillEntries(midi);
    const std::string path = Scratch("ours.mid").string();
    for (auto _ : state) midi.WriteMidiFile(path);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_TVMidiWriteMidiFile)->Unit(benchmark::kMillisecond);

// Runs the peer once per iteration: it reports its own best time, which is
// taken as this iteration's time.
void BM_MidoSave(benchmark::State& state) {
    TVMidi midi(nullptr);
    midi.ExactLengths = true;
    FillEntries(midi);
    const std::string source = Scratch("source.mid").string();
    const std::string target = Scratch("mido.mid").string();
    midi.WriteMidiFile(source);
    const std::string command = "/usr/bin/python3 '" MIDI_MIDO_SCRIPT "' '" + source + "' '" + target + "' 5";
    for (auto _ : state) {
        std::FILE* peer = popen(command.c_str(), "r");
        double seconds = -1;
        long events = 0;
        if (!peer || std::fscanf(peer, "mido_save_seconds %lf events %ld", &seconds, &events) != 2) seconds = -1;
        if (peer) pclose(peer);
        if (seconds < 0) {
            state.SkipWithError("mido did not report a time (is python3-mido installed?)");
            break;
        }
        state.SetIterationTime(seconds);
        state.counters["events"] = static_cast<double>(events);
    }
    std::filesystem::remove(source);
    std::filesystem::remove(target);
}
BENCHMARK(BM_MidoSave)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// Console output plus the seconds per iteration of each benchmark, for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                seconds[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.seconds.find("BM_TVMidiWriteMidiFile");
    const auto mido = reporter.seconds.find("BM_MidoSave/iterations:1/manual_time");
    if (ours != reporter.seconds.end() && mido != reporter.seconds.end() && mido->second > 0)
        std::printf("TVMidi WriteMidiFile / mido save(): %.2f ms / %.2f ms = ratio %.4f (goal <= 0.1000)\n",
                    ours->second * 1e3, mido->second * 1e3, ours->second / mido->second);
    benchmark::Shutdown();
    return 0;
}
