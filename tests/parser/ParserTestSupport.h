#pragma once
// Runs an expression through a parser and reports the outcome as one text:
// the result text, "not built" or "error: <message>".
#include "platform/core/FloatConvert.h"
#include "platform/core/System.h"

// Sets the process's decimal separator for one test.
struct ScopedSeparator {
    explicit ScopedSeparator(char c) : saved(DecimalSeparator()) { SetDecimalSeparator(c); }
    ~ScopedSeparator() { SetDecimalSeparator(saved); }
    char saved;
};

template <class Parser>
AnsiString Outcome(Parser& p, const AnsiString& expression) {
    p.Expression = expression;
    if (!p.CreateTree()) return "not built";
    try {
        p.Evaluate();
        return p.ErgebnisString();
    } catch (const Exception& e) {
        return "error: " + e.Message();
    }
}
