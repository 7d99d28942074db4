// Feeds arbitrary bytes to the expression pipeline: the evaluator component
// and the plotter's engine. Input: expression text, optionally followed by
// a newline and the text of X; the last byte also picks the settings.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "components/Vgraphics/VParser.h"
#include "components/Vparser/Vparser.h"
#include "platform/core/FloatConvert.h"

namespace {

template <class Parser>
void Run(Parser& p, const AnsiString& expression, const AnsiString& x) {
    p.Expression = expression;
    const bool built = p.CreateTree();
    p.X = x;
    p.A = x;
    try {
        p.Evaluate();  // a failed tree must raise, never be walked
    } catch (const Exception&) {
    }
    if (!built) return;
    try {
        p.X = p.LongDoubleToStr(p.StrToLongDouble(x));
        p.Evaluate();
    } catch (const Exception&) {
    }
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
    Run(evaluator, expression, x);

    VParser engine;
    Run(engine, expression, x);
    long double value = 0;
    TryStrToFloat(x, value);
    (void)FloatToStr(value);
    return 0;
}
