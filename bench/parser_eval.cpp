// Per-sample cost of the plotter's engine (X handed over as text, then
// Evaluate) against muparser's Eval on the same expressions, and the cost
// of one full 640 x 480 drawing with grid, axes and three curves.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "components/Vgraphics/VParser.h"
#include "components/Vgraphics/Vgraphics.h"
#include "platform/core/FloatConvert.h"

namespace {

struct Expr {
    const char* ours;
    const char* peer;  // muparser spelling
};
const Expr kExpressions[] = {
    {"sin(x)*x^2+3*x-1", "sin(x)*x^2+3*x-1"},
    {"1/x", "1/x"},
    {"(x+1)*(x-1)/(x^2+1)", "(x+1)*(x-1)/(x^2+1)"},
    {"abs(x) mod 3", "abs(x) mod 3"},
};

// The plotter's x values: column px of 640 over -10 .. 10, skipping x = 0.
long double SampleX(long i) {
    const long px = 1 + i % 640;
    return px == 320 ? 0.015625L : px * 20.0L / 640 - 10;
}

// x values that never come again (a plot's first pass, or columns that
// move), so the texts of earlier samples are of no help.
long double FreshX(long i) { return -10 + i * 1e-7L; }

// One sample of the engine: x handed over as text, then Evaluate.
template <long double (*kX)(long)>
void EngineSamples(benchmark::State& state) {
    SetDecimalSeparator('.');
    VParser p;
    p.Precision = 8;
    p.Expression = kExpressions[state.range(0)].ours;
    if (!p.CreateTree()) state.SkipWithError("not built");
    long i = 0;
    for (auto _ : state) {
        p.X = p.LongDoubleToStr(kX(i++));
        benchmark::DoNotOptimize(p.Evaluate());
    }
    state.SetLabel(kExpressions[state.range(0)].ours);
}

void BM_VParser(benchmark::State& state) { EngineSamples<SampleX>(state); }
void BM_VParserFresh(benchmark::State& state) { EngineSamples<FreshX>(state); }

double MuMod(double a, double b) { return std::fmod(a, b); }

void BM_MuParser(benchmark::State& state) {
    mu::Parser p;
    double x = 0;
    p.DefineVar("x", &x);
    p.DefineOprt("mod", MuMod, mu::prMUL_DIV);
    p.SetExpr(kExpressions[state.range(0)].peer);
    long i = 0;
    for (auto _ : state) {
        x = static_cast<double>(SampleX(i++));
        benchmark::DoNotOptimize(p.Eval());
    }
    state.SetLabel(kExpressions[state.range(0)].peer);
}

void BM_DrawToCanvas(benchmark::State& state) {
    SetDecimalSeparator('.');
    TVGraphics g(nullptr);
    g.Grid = true;
    TStringList e{"sin(x)*x^2+3*x-1", "1/x", "(x+1)*(x-1)/(x^2+1)"}, c{"255", "32768", "16711680"}, s{"0", "0", "0"};
    g.SetExpressions(e);
    g.SetColors(c);
    g.SetSteps(s);
    TBitmap bmp(640, 480);
    for (auto _ : state) benchmark::DoNotOptimize(g.DrawToCanvas(bmp.Canvas()));
}

// Each case runs many short times, the runs of all cases in a random
// order (see main), and the ratios use each case's fastest run: other work
// on a shared machine only ever adds time, so the minimum is the steadiest
// estimate of both, and a busy spell falls on ours and the peer's alike.
constexpr int kRepetitions = 12;
constexpr double kSecondsPerRun = 0.1;
BENCHMARK(BM_VParser)->DenseRange(0, 3)->Repetitions(kRepetitions)->MinTime(kSecondsPerRun);
BENCHMARK(BM_VParserFresh)->DenseRange(0, 3)->Repetitions(kRepetitions)->MinTime(kSecondsPerRun);
BENCHMARK(BM_MuParser)->DenseRange(0, 3)->Repetitions(kRepetitions)->MinTime(kSecondsPerRun);
BENCHMARK(BM_DrawToCanvas)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->MinTime(kSecondsPerRun);

// Keeps each case's least CPU time per iteration (ns) for the ratios.
class Collector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> ns;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0) {
                const double t = r.cpu_accumulated_time * 1e9 / static_cast<double>(r.iterations);
                const std::string name = r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args);
                if (!ns.count(name) || t < ns[name]) ns[name] = t;
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Interleaved unless the command line says otherwise (a later flag wins).
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const auto ratios = [&collector](const char* title, const std::string& ours) {
        std::printf("\n%s\n", title);
        for (int i = 0; i < 4; ++i) {
            const std::string o = ours + "/" + std::to_string(i), peer = "BM_MuParser/" + std::to_string(i);
            if (collector.ns.count(o) && collector.ns.count(peer))
                std::printf("  %-22s %7.1f ns / %6.1f ns = %5.2f\n", kExpressions[i].ours, collector.ns[o],
                            collector.ns[peer], collector.ns[o] / collector.ns[peer]);
        }
    };
    ratios("VParser per sample / muparser Eval (goal <= 4), the plot's columns:", "BM_VParser");
    ratios("The same with x values that never repeat:", "BM_VParserFresh");
    if (collector.ns.count("BM_DrawToCanvas"))
        std::printf("DrawToCanvas 640 x 480, grid, axes, 3 curves: %.3f ms (goal <= 2 ms)\n",
                    collector.ns["BM_DrawToCanvas"] / 1e6);
    benchmark::Shutdown();
    return 0;
}
