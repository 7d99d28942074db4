#pragma once
// The text-driven expression pipeline shared by the evaluator component
// TVParser and the plotter's engine VParser: the expression is cleaned and
// rewritten as text, split recursively at its lowest operator into a tree of
// text nodes, and the tree is evaluated in long double.
#include <cstdint>

#include "components/Vparser/FlatTree.h"
#include "components/Vparser/NumberTextMemo.h"
#include "components/Vparser/ParseTree.h"
#include "components/Vparser/ShortText.h"
#include "platform/core/FloatConvert.h"
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

    // The text of the last Evaluate's value (LongDoubleToStr with the
    // Precision and decimal symbol of that moment), built on first request.
    const AnsiString& ErgebnisString() const;

    long double Evaluate();

    void InitLandDot() {
        if (!DotIsUsual()) SetLandDot();
    }
    AnsiString EntferneLeerzeichen(const AnsiString& text) const;
    AnsiString EntferneKlammern(const AnsiString& text) const;
    AnsiString WandleSinCosTanUm(const AnsiString& text) const;
    AnsiString Assiotiativitaet(const AnsiString& text) const;
    void SplitLowest(AnsiString* left, AnsiString* right, AnsiString* op, const AnsiString& text) const;
    bool IsZahl(const AnsiString& text) const;
    bool MakeTree(Tree* node, const AnsiString& text);
    long double Eval(const Tree* node);
    long double StrToLongDouble(const AnsiString& text);
    // Fixed-point text with Precision places and LandDot, trailing zeros
    // cut; an infinite or undefined value gives "INF", "-INF" or "NAN".
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
    // Twice per plotted sample: the usual case, the locale's one-character
    // symbol set and counted already, needs nothing of InitLandDot.
    bool DotIsUsual() const {
        return OverwriteDecimalSymbol.empty() && LandDot.size() == 1 &&
               static_cast<unsigned char>(LandDot[0]) == versionedChar_ && LandDot[0] == DecimalSeparator();
    }
    void SetLandDot();  // InitLandDot beyond its usual case
    // The text a leaf stands for after the variable and constant rules.
    const AnsiString& ResolveLeaf(const AnsiString& text);
    long double ConvertResolved(const AnsiString& resolved);
    long double EvalNode(const Tree* node);
    long double LeafValue(const Tree& node);
    long double Convert(const AnsiString& text, Tree::Cache* leafCache);
    // Convert's answer when it needs no conversion (a text just formatted
    // or one converted before); false otherwise, and nothing is raised.
    bool KnownValue(const AnsiString& text, Tree::Cache* leafCache, long double& value);
    // `text` and its leaf's cache after the variable and constant rules.
    bool KnownResolved(const AnsiString& resolved, const Tree::Cache* cache, long double& value) const;
    Tree::Cache* CacheFor(const AnsiString& resolved, Tree::Cache* leafCache);
    // The text of variable 0..4: x, a, b, c, d.
    const AnsiString& VariableText(unsigned slot) const {
        return slot == 0 ? X : slot == 1 ? A : slot == 2 ? B : slot == 3 ? C : D;
    }
    bool CacheFits(const Tree::Cache& c, const AnsiString& text) const;
    void CacheStore(Tree::Cache& c, const AnsiString& text, long double value) const;
    // The operators and functions of a tree, shared by the walk and the
    // flattened steps.
    long double ApplyOperator(char op, long double l, long double r) const;
    static long double ApplyFunction(char letter, long double argument);
    // The flattened steps of the shared root for the current settings;
    // false when that tree is evaluated by the walk.
    bool FlatStepsReady();
    bool Flatten();  // makes the steps of the shared root anew
    bool FlattenNode(const Tree* node, int& height, int& deepest);
    bool FlatLeafOf(const Tree& node, std::uint32_t& place);
    long double RunFlat();
    // `pending`: the variables whose texts must still be converted, at
    // their first use.
    template <bool kPending>
    long double RunSteps(unsigned pending);
    [[noreturn]] static void Incomplete();

    // LongDoubleToStr's text with the given places and decimal symbol.
    static AnsiString FixedText(long double value, int places, const AnsiString& dot);
    // The same text made straight from the rounded integer, with the
    // number it stands for, for the values and symbols that allow it.
    static bool ShortFixedText(long double value, int places, const AnsiString& dot, NumberText& out);
    // A memo slot filled with the short path's text of `value`; false
    // where that path does not serve.
    [[gnu::noinline]] bool FillSlot(NumberTextMemo::Slot& slot, long double value, std::uint64_t bits,
                                    std::uint16_t key) const;
    static void TrimZeros(AnsiString& text, const AnsiString& dot);  // EntferneNullenUndPunkte in place
    static AnsiString TextOf(const char* text, size_t size);  // `text` holds at least 15 characters

    Options options_;
    // The result text is made lazily: most callers (the plotter) only use
    // the value.
    mutable AnsiString ergebnis_;
    mutable bool ergebnisPending_ = false;
    long double ergebnisValue_ = 0;
    int ergebnisPlaces_ = 8;
    AnsiString ergebnisDot_;
    unsigned ergebnisDotVersion_ = 0;  // the LandDot version ergebnisDot_ was copied at
    // The last text LongDoubleToStr made and the number it converts to, so
    // that a sample handed over as X is not parsed back from its digits.
    // The text stays where it was made, in the memo, and counts while that
    // slot still holds it: a number copied out would be stored and read
    // back at once, which costs more than the copy.
    struct Formatted {
        unsigned dotVersion = 0;  // the LandDot version it was made for; 0 for none
        const NumberTextMemo::Slot* slot = nullptr;
        std::uint64_t bits = 0;
        std::uint16_t key = 0;
        // Where the number `other` stands for is kept, when it is this text;
        // null otherwise.
        [[gnu::always_inline]] const long double* Find(const AnsiString& other, unsigned dot) const {
            if (dotVersion != dot || !slot->Holds(bits, key) || other.size() != slot->size ||
                !SameChars(other.data(), slot->text, other.size()))
                return nullptr;
            return &slot->value;
        }
    } formatted_;
    FlatTree flat_;
    int depth_ = 0;
    bool dotChecked_ = false;  // InitLandDot ran in the current Eval
    // Changes whenever LandDot holds another text than before, however it
    // got there: the converted leaves and texts of the old symbol are then
    // out of date.
    unsigned landDotVersion_ = 1;  // never 0, which stands for no version
    AnsiString versionedDot_;
    int versionedChar_ = -1;  // versionedDot_'s character when it has one alone
    AnsiString piText_, eText_;  // the constants' texts for the current LandDot
    AnsiString constantsDot_;
    Tree::Cache variableCache_[5];  // x, a, b, c, d: last text converted
};
