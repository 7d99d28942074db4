// Parsing plus serialisation of a 1 MB document against parsing alone, and
// the link scan over a 1 MB body with the time-sliced event pump against
// the same scan pumping on every pass (and without any pump). Goal: the
// scan takes at most 100 ms per megabyte while serving events at least
// every 5 ms; the "cpu_gap_ms" counter is the longest time events waited
// while the scan ran.
#include <benchmark/benchmark.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "components/Vhtml/HtmlScans.h"
#include "platform/browser/EventPump.h"
#include "platform/browser/HtmlDocument.h"
#include "platform/gui/Forms.h"

namespace {

// About 1 MB of ordinary page: paragraphs with links, images and a script.
const std::string& Page() {
    static const std::string page = [] {
        std::string s = "<!DOCTYPE html><html><head><title>Bench page</title></head><body>\n";
        for (int i = 0; s.size() < (1u << 20); ++i) {
            const std::string n = std::to_string(i);
            s += "<div class=item><h2>Item " + n + "</h2><p>Some text about item " + n +
                 " with <b>bold</b> words &amp; an entity, then a <a HREF=page" + n +
                 ".htm>link</a> and <img src='pic" + n + ".png' alt=\"pic\">.</p>"
                 "<script>var v" + n + "=" + n + ";</script></div>\n";
        }
        return s + "</body></html>";
    }();
    return page;
}

const std::string& Body() {
    static const std::string body = IHTMLDocument2::Parse(Page())->body()->innerHTML();
    return body;
}

void ProcessEvents() {
    Application->ProcessMessages();
}

void BM_Parse(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(IHTMLDocument2::Parse(Page()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Page().size()));
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);

void BM_ParseAndSerialise(benchmark::State& state) {
    for (auto _ : state) {
        const auto doc = IHTMLDocument2::Parse(Page());
        benchmark::DoNotOptimize(doc->title());
        benchmark::DoNotOptimize(doc->body()->innerText());
        benchmark::DoNotOptimize(doc->body()->innerHTML());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Page().size()));
}
BENCHMARK(BM_ParseAndSerialise)->Unit(benchmark::kMillisecond);

// Scans the body once per iteration; make_pass gives each scan its hook.
template <class MakePass>
void ScanLinksRepeatedly(benchmark::State& state, MakePass make_pass) {
    TStringList links;
    for (auto _ : state) {
        links.Clear();
        Vhtml::ScanLinks(Body(), links, make_pass());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Body().size()));
    state.counters["links"] = links.Count();
}

void BM_LinksNoPump(benchmark::State& state) {
    ScanLinksRepeatedly(state, [] { return Vhtml::TScanPass(); });
}
BENCHMARK(BM_LinksNoPump)->Unit(benchmark::kMillisecond);

void BM_LinksPumpEveryPass(benchmark::State& state) {
    ScanLinksRepeatedly(state, [] { return Vhtml::TScanPass(ProcessEvents); });
}
BENCHMARK(BM_LinksPumpEveryPass)->Unit(benchmark::kMillisecond);

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// cpu_gap_ms: the longest stretch of the scan's own running time between
// two servings, over all scans; wall_gap_ms: the same in wall-clock time
// (median over the scans), which on a loaded machine also counts the time
// the process was not running at all.
void BM_LinksTimeSlicedPump(benchmark::State& state) {
    // A timer that is always due, so that every serving has work to do.
    QTimer busy;
    busy.start(0);
    std::vector<double> wallGaps;
    double served = 0;
    double cpuGap = 0;
    double lastCpu = -1;
    const auto serve = [&] {
        const double now = ThreadCpuMs();
        if (lastCpu >= 0) cpuGap = std::max(cpuGap, now - lastCpu);
        ProcessEvents();
        lastCpu = ThreadCpuMs();
    };
    std::unique_ptr<TEventPump> pump;
    const auto record = [&] {
        if (!pump) return;
        wallGaps.push_back(std::chrono::duration<double, std::milli>(pump->LongestGap()).count());
        served += static_cast<double>(pump->Served());
        lastCpu = -1;
    };
    ScanLinksRepeatedly(state, [&] {
        record();
        pump = std::make_unique<TEventPump>(serve);
        return Vhtml::TScanPass([p = pump.get()] { p->Pass(); });
    });
    record();
    std::sort(wallGaps.begin(), wallGaps.end());
    state.counters["served"] = served / static_cast<double>(wallGaps.size());
    state.counters["cpu_gap_ms"] = cpuGap;
    state.counters["wall_gap_ms"] = wallGaps[wallGaps.size() / 2];
}
BENCHMARK(BM_LinksTimeSlicedPump)->Unit(benchmark::kMillisecond);

// Remembers each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Ratio(const char* what, const std::string& a, const std::string& b) const {
        if (!times.count(a) || !times.count(b)) return;
        std::printf("%-52s %8.2f\n", what, times.at(a) / times.at(b));
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nbody markup: %zu bytes of a %zu-byte page\n", Body().size(), Page().size());
    reporter.Ratio("parse+serialise / parse", "BM_ParseAndSerialise", "BM_Parse");
    reporter.Ratio("links, pump every pass / time-sliced pump", "BM_LinksPumpEveryPass", "BM_LinksTimeSlicedPump");
    reporter.Ratio("links, time-sliced pump / no pump", "BM_LinksTimeSlicedPump", "BM_LinksNoPump");
    benchmark::Shutdown();
}
