// Parsing plus serialisation of a 1 MB document against parsing alone, and
// the link scan over a 1 MB body with the time-sliced event pump against
// the same scan pumping on every pass (and without any pump). Goal: the
// scan takes at most 100 ms per megabyte while serving events at least
// every 5 ms; the "gap_ms" counter is the longest time events waited.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "components/Vhtml/HtmlScans.h"
#include "platform/browser/EventPump.h"
#include "platform/browser/HtmlDocument.h"

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
    QCoreApplication::processEvents();
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

void RecordLinks(benchmark::State& state, const Vhtml::TScanPass& pass) {
    TStringList links;
    for (auto _ : state) {
        links.Clear();
        Vhtml::ScanLinks(Body(), links, pass);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Body().size()));
    state.counters["links"] = links.Count();
}

void BM_LinksNoPump(benchmark::State& state) {
    RecordLinks(state, {});
}
BENCHMARK(BM_LinksNoPump)->Unit(benchmark::kMillisecond);

void BM_LinksPumpEveryPass(benchmark::State& state) {
    RecordLinks(state, ProcessEvents);
}
BENCHMARK(BM_LinksPumpEveryPass)->Unit(benchmark::kMillisecond);

void BM_LinksTimeSlicedPump(benchmark::State& state) {
    // A timer that is always due, so that every serving has work to do.
    QTimer busy;
    busy.start(0);
    TEventPump pump(ProcessEvents);
    RecordLinks(state, [&] { pump.Pass(); });
    state.counters["served"] = static_cast<double>(pump.Served()) / static_cast<double>(state.iterations());
    state.counters["gap_ms"] = std::chrono::duration<double, std::milli>(pump.LongestGap()).count();
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
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nbody markup: %zu bytes of a %zu-byte page\n", Body().size(), Page().size());
    reporter.Ratio("parse+serialise / parse", "BM_ParseAndSerialise", "BM_Parse");
    reporter.Ratio("links, pump every pass / time-sliced pump", "BM_LinksPumpEveryPass", "BM_LinksTimeSlicedPump");
    reporter.Ratio("links, time-sliced pump / no pump", "BM_LinksTimeSlicedPump", "BM_LinksNoPump");
    benchmark::Shutdown();
}
