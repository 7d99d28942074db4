// Feeds arbitrary bytes to the expression pipeline: the evaluator component
// and the plotter's engine, each evaluation checked against a walk of the
// same tree. Input: expression text, optionally followed by
// a newline and the text of X; the last byte also picks the settings.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "components/Vgraphics/VParser.h"
#include "components/Vparser/Vparser.h"
#include "platform/core/FloatConvert.h"

namespace {

// The value or the error of one evaluation, to compare two ways of
// evaluating the same tree.
struct Outcome {
    bool failed = false;
    AnsiString message;
    long double value = 0;

    bool operator==(const Outcome& other) const {
        if (failed || other.failed) return failed == other.failed && message == other.message;
        if (std::isnan(value) || std::isnan(other.value)) return std::isnan(value) && std::isnan(other.value);
        return value == other.value && std::signbit(value) == std::signbit(other.value);
    }
};

template <class Evaluation>
Outcome Try(Evaluation evaluation) {
    Outcome outcome;
    try {
        outcome.value = evaluation();
    } catch (const Exception& e) {
        outcome.failed = true;
        outcome.message = e.Message();
    }
    return outcome;
}

// Evaluate replays a flattened copy of the tree; the walk of the same tree
// must give the same number or the same error.
template <class Parser>
void EvaluateAndCompare(Parser& p, ExpressionRoot& root) {
    const Outcome replayed = Try([&] { return p.Evaluate(); });
    if (!root.Complete) return;  // a failed tree raised and must not be walked
    const Outcome walked = Try([&] { return p.Eval(root.Node.get()); });
    if (!(replayed == walked)) __builtin_trap();
}

template <class Parser>
void Run(Parser& p, ExpressionRoot& root, const AnsiString& expression, const AnsiString& x) {
    p.Expression = expression;
    const bool built = p.CreateTree();
    p.X = x;
    p.A = x;
    EvaluateAndCompare(p, root);
    if (!built) return;
    try {
        p.X = p.LongDoubleToStr(p.StrToLongDouble(x));
    } catch (const Exception&) {
        return;
    }
    EvaluateAndCompare(p, root);
    EvaluateAndCompare(p, root);  // the second time from the steps made by the first
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t flags = data[size - 1];
    const AnsiString input(reinterpret_cast<const char*>(data), size - 1);
    const size_t newline = input.find('\n');
    const AnsiString expression = input.substr(0, newline);
    const AnsiString x = newline == AnsiString::npos ? AnsiString("1.5") : input.substr(newline + 1);

    SetDecimalSeparator((flags & 1) ? ',' : '.');
    TVParser evaluator(nullptr);
    evaluator.ConvertAllColonsAndDots = (flags & 2) != 0;
    if (flags & 4) evaluator.OverwriteDecimalSymbol = (flags & 8) ? "," : "::";
    evaluator.Precision = (flags >> 4) - 2;  // -2 .. 13
    Run(evaluator, Vparser::RootTree, expression, x);

    VParser engine;
    Run(engine, Vgraphics::RootTree, expression, x);
    long double value = 0;
    TryStrToFloat(x, value);
    (void)FloatToStr(value);
    return 0;
}
