#pragma once
// The text-driven expression pipeline shared by the evaluator component
// TVParser and the plotter's engine VParser: the expression is cleaned and
// rewritten as text, split recursively at its lowest operator into a tree of
// text nodes, and the tree is evaluated in long double.
#include <cstdint>

#include "components/Vparser/ParseTree.h"
#include "platform/core/System.h"

class ExpressionPipeline {
public:
    // How the two users of the pipeline differ.
    struct Options {
        ExpressionRoot* root;           // the unit-wide tree this parser replaces and walks
        bool ownPowerMessage = true;    // "^" without a real value: the German message, or the math error
    };
    explicit ExpressionPipeline(Options options) : options_(options) {}
    virtual ~ExpressionPipeline() = default;

    // Settings, read and written directly.
    int Precision = 8;
    AnsiString X, A, B, C, D;
    AnsiString OverwriteDecimalSymbol;
    bool ConvertAllColonsAndDots = false;
    AnsiString LandDot;  // the decimal symbol in use, set by InitLandDot

    const AnsiString& ErgebnisString() const { return ergebnis_; }

    long double Evaluate();

    void InitLandDot();
    AnsiString EntferneLeerzeichen(const AnsiString& text) const;
    AnsiString EntferneKlammern(const AnsiString& text) const;
    AnsiString WandleSinCosTanUm(const AnsiString& text) const;
    AnsiString Assiotiativitaet(const AnsiString& text) const;
    void SplitLowest(AnsiString* left, AnsiString* right, AnsiString* op, const AnsiString& text) const;
    bool IsZahl(const AnsiString& text) const;
    bool MakeTree(Tree* node, const AnsiString& text);
    long double Eval(const Tree* node);
    long double StrToLongDouble(const AnsiString& text);
    AnsiString LongDoubleToStr(long double value);
    AnsiString EntferneNullenUndPunkte(const AnsiString& text) const;
    static long double modl(long double a, long double b);

    // Nesting depth of MakeTree beyond which a text counts as not buildable;
    // far above hand-written expressions, far below the stack's limit.
    static constexpr int kMaxDepth = 1000;

    // Message of Evaluate (and Eval) on a tree that could not be built.
    static const char* const kIncompleteTree;

protected:
    bool IsLongDouble(const AnsiString& text) const;
    // Cleans `text` in place and parses it into a fresh root that replaces
    // the shared one; the result of MakeTree.
    bool BuildTree(AnsiString& text);

private:
    // The text a leaf stands for after the variable and constant rules.
    const AnsiString& ResolveLeaf(const AnsiString& text);
    long double ConvertResolved(const AnsiString& resolved);
    long double LeafValue(const Tree& node);
    long double Convert(const AnsiString& text, Tree::Cache* leafCache);
    bool CacheFits(const Tree::Cache& c, const AnsiString& text) const;
    void CacheStore(Tree::Cache& c, const AnsiString& text, long double value) const;
    [[noreturn]] static void Incomplete();
    void TrimZeros(AnsiString& text) const;  // EntferneNullenUndPunkte in place

    Options options_;
    AnsiString ergebnis_;
    int depth_ = 0;
    unsigned landDotVersion_ = 1;  // changes whenever InitLandDot changes LandDot
    AnsiString piText_, eText_;  // the constants' texts for the current LandDot
    AnsiString constantsDot_;
    Tree::Cache variableCache_[5];  // x, a, b, c, d: last text converted
};
