#include "components/Vparser/ExpressionPipeline.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "platform/core/FloatConvert.h"

namespace {

enum Kind { kPlus = 1, kTimes, kMinus, kDivide, kMod, kPower, kFunction, kLeaf };

// Evaluation order of the node kinds follows the order in which the
// operator texts are tested; a node is an operator only by its whole text.
int Classify(const AnsiString& value) {
    if (value.size() != 1) return kLeaf;
    switch (value[0]) {
        case '+': return kPlus;
        case '*': return kTimes;
        case '-': return kMinus;
        case '/': return kDivide;
        case 'm': return kMod;
        case '^': return kPower;
        case '#': return kFunction;
        default: return kLeaf;
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 10^n for 0 <= n <= 17, exact in a long double.
long double PowerOfTen(int n) {
    static const auto table = [] {
        struct T {
            long double v[18];
        } t{};
        t.v[0] = 1;
        for (int i = 1; i < 18; ++i) t.v[i] = t.v[i - 1] * 10;
        return t;
    }();
    return table.v[n];
}

// Equality of the short texts of leaves and samples, without a library call.
bool SameText(const AnsiString& a, const AnsiString& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-insensitive equality with a lower-case word.
bool IEquals(const AnsiString& text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != lowerWord[i]) return false;
    return true;
}

// The lower-cased `n` characters from index `i` (fewer at the end).
bool StartsAtI(const AnsiString& text, size_t i, std::string_view lowerWord) {
    if (i + lowerWord.size() > text.size()) return false;
    for (size_t k = 0; k < lowerWord.size(); ++k)
        if (Lower(text[i + k]) != lowerWord[k]) return false;
    return true;
}

struct DepthGuard {
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    int& depth_;
};

}  // namespace

const char* const ExpressionPipeline::kIncompleteTree =
    "Der Ausdruck konnte nicht in einen Baum umgewandelt werden; es gibt nichts auszuwerten.";

void ExpressionPipeline::Incomplete() { throw Exception(kIncompleteTree); }

void ExpressionPipeline::InitLandDot() {
    if (!OverwriteDecimalSymbol.empty()) {
        if (LandDot != OverwriteDecimalSymbol) {
            LandDot = OverwriteDecimalSymbol;
            ++landDotVersion_;
        }
        return;
    }
    const char separator = DecimalSeparator();
    if (LandDot.size() != 1 || LandDot[0] != separator) {
        LandDot.assign(1, separator);
        ++landDotVersion_;
    }
}

bool ExpressionPipeline::BuildTree(AnsiString& text) {
    InitLandDot();
    text = EntferneLeerzeichen(text);
    text = EntferneKlammern(text);
    text = WandleSinCosTanUm(text);
    auto root = std::make_unique<Tree>();
    depth_ = 0;
    const bool built = MakeTree(root.get(), text);
    options_.root->Node = std::move(root);
    options_.root->Complete = built;
    return built;
}

AnsiString ExpressionPipeline::EntferneLeerzeichen(const AnsiString& text) const {
    AnsiString out;
    out.reserve(text.size());
    for (const char c : text)
        if (c != ' ') out += c;
    return out;
}

AnsiString ExpressionPipeline::EntferneKlammern(const AnsiString& text) const {
    if (text.empty() || text.front() != '(' || text.back() != ')') return text;
    long k = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            if (k != 0 || i == 0) ++k;
            else return text;  // a second bracket pair opens at level zero
        } else if (text[i] == ')') {
            --k;
        }
    }
    return text.substr(1, text.size() - 2);
}

AnsiString ExpressionPipeline::WandleSinCosTanUm(const AnsiString& text) const {
    struct Name {
        std::string_view name, replacement;
    };
    static constexpr Name kNames[] = {{"sin", "s#"}, {"cos", "c#"}, {"tan", "t#"}, {"ln", "n#"},
                                      {"lg", "g#"},  {"abs", "r#"}, {"mod", "m"}};
    AnsiString out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Name* match = nullptr;
        for (const Name& n : kNames)
            if (StartsAtI(text, i, n.name)) {
                match = &n;
                break;
            }
        if (match) {
            out += match->replacement;
            i += match->name.size();
            continue;
        }
        const char ch = text[i++];
        if (ConvertAllColonsAndDots && (ch == '.' || ch == ',')) out += LandDot;
        else out += ch;
    }
    return out;
}

AnsiString ExpressionPipeline::Assiotiativitaet(const AnsiString& text) const {
    AnsiString out;
    out.reserve(text.size());
    long k = 0;
    bool minusSeen = false, slashSeen = false;
    for (const char c : text) {
        if (c == '(') ++k;
        if (k != 0) {
            out += c;
        } else if (c == '-' && !minusSeen) {
            minusSeen = true;
            out += c;
        } else if (c == '/' && !slashSeen) {
            slashSeen = true;
            out += c;
        } else if (minusSeen && (c == '-' || c == '+')) {
            out += c == '-' ? '+' : '-';
        } else if (slashSeen && (c == '/' || c == '*')) {
            out += c == '/' ? '*' : '/';
        } else {
            out += c;
        }
        if (c == ')') --k;
    }
    return out;
}

void ExpressionPipeline::SplitLowest(AnsiString* left, AnsiString* right, AnsiString* op,
                                     const AnsiString& text) const {
    const AnsiString t = Assiotiativitaet(text);
    long depth = 0, kept = 0;
    size_t position = AnsiString::npos;
    for (size_t i = 0; i < t.size(); ++i) {
        int test = 0, keep = 0;  // the operator's level when tested and when kept
        switch (t[i]) {
            case '(': depth += 16; continue;
            case ')': depth -= 16; continue;
            case '+': test = 1, keep = 2; break;
            case '-': test = 1, keep = 1; break;
            case '*': case '/': case 'm': test = 2, keep = 2; break;
            case '^': test = 4, keep = 4; break;
            case '#': test = 8, keep = 8; break;
            default: continue;
        }
        if (position == AnsiString::npos || depth + test < kept) {
            position = i;
            kept = depth + keep;
        }
    }
    if (position == AnsiString::npos) {
        left->clear();
        right->clear();
        op->clear();
        return;
    }
    op->assign(1, t[position]);
    *left = EntferneKlammern(t.substr(0, position));
    *right = EntferneKlammern(t.substr(position + 1));
}

bool ExpressionPipeline::IsLongDouble(const AnsiString& text) const {
    long double value = 0;
    if (!TryStrToFloat(text, value)) return false;
    return FloatToStr(static_cast<double>(value)) == text;
}

bool ExpressionPipeline::IsZahl(const AnsiString& text) const {
    if (text.size() == 1 && std::strchr("sctngr", text[0]) != nullptr) return true;
    for (const std::string_view word : {"x", "a", "b", "c", "d", "pi", "e"})
        if (IEquals(text, word)) return true;
    return IsLongDouble(text);
}

bool ExpressionPipeline::MakeTree(Tree* node, const AnsiString& text) {
    if (depth_ >= kMaxDepth) return false;
    const DepthGuard guard(depth_);
    AnsiString left, right, op;
    SplitLowest(&left, &right, &op, text);
    if (left.empty() && op == "-") left = "0";  // a leading minus subtracts from zero
    if (op.empty() && left.empty() && right.empty()) {
        if (!IsZahl(text)) return false;
        node->Value = text;
        return true;
    }
    if (op.empty() || left.empty() || right.empty()) return false;

    node->Value = op;
    node->Left = std::make_unique<Tree>();
    node->Left->Value = left;
    node->Right = std::make_unique<Tree>();
    node->Right->Value = right;
    const bool leftBuilt = IsZahl(left) || MakeTree(node->Left.get(), left);
    const bool rightBuilt = IsZahl(right) || MakeTree(node->Right.get(), right);
    return leftBuilt && rightBuilt;
}

long double ExpressionPipeline::modl(long double a, long double b) {
    if (b == 0) return 0;
    const long double q = std::trunc(a / b);
    constexpr long double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr long double kMax = std::numeric_limits<std::int32_t>::max();
    // A quotient without a value (an infinite or undefined a) fails the
    // integer conversion: the result is then a. Finite quotients beyond a
    // 32-bit integer give the exact remainder, with the same sign rule.
    if (!std::isfinite(q)) return a;
    if (!(q >= kMin && q <= kMax)) return std::fmod(a, b);
    return a - b * static_cast<std::int32_t>(q);
}

long double ExpressionPipeline::Eval(const Tree* node) {
    dotChecked_ = false;
    return EvalNode(node);
}

long double ExpressionPipeline::EvalNode(const Tree* node) {
    if (!node) Incomplete();
    const int kind = Classify(node->Value);
    if (kind == kLeaf) return LeafValue(*node);
    if (!node->Left || !node->Right) Incomplete();

    const long double r = EvalNode(node->Right.get());
    if (kind == kFunction) {
        const AnsiString& letter = node->Left->Value;
        if (letter.size() != 1) return 0;
        switch (letter[0]) {
            case 's': return std::sin(static_cast<double>(r));
            case 'c': return std::cos(static_cast<double>(r));
            case 't': return std::tan(static_cast<double>(r));
            case 'n':
            case 'g':
                if (!(r > 0)) throw Exception("Log von X mit X <= 0");
                return letter[0] == 'n' ? std::log(r) : std::log(r) / std::log(10.0L);
            case 'r': return std::fabs(r);
            default: return 0;  // also "0"
        }
    }
    const long double l = EvalNode(node->Left.get());
    switch (kind) {
        case kPlus: return l + r;
        case kTimes: return (l == 0 || r == 0) ? 0 : l * r;
        case kMinus: return l - r;
        case kDivide:
            if (r == 0) throw Exception("Division durch 0");
            return l / r;
        case kMod: return modl(l, r);
        default: {  // kPower
            const double base = static_cast<double>(l), power = static_cast<double>(r);
            if (base < 0 && std::trunc(power) != power) {
                if (options_.ownPowerMessage) throw Exception("Kein negativer Ausdruck unter Wurzel erlaubt.");
                throw EInvalidOp("Invalid floating point operation");
            }
            return std::pow(base, power);
        }
    }
}

const AnsiString& ExpressionPipeline::ResolveLeaf(const AnsiString& text) {
    const AnsiString* t = &text;
    // Every name is one or two characters and starts with a letter.
    if (t->empty() || t->size() > 2 || Lower((*t)[0]) < 'a' || Lower((*t)[0]) > 'z') return *t;
    if (IEquals(*t, "x")) t = &X;
    if (IEquals(*t, "a")) t = &A;
    if (IEquals(*t, "b")) t = &B;
    if (IEquals(*t, "c")) t = &C;
    if (IEquals(*t, "d")) t = &D;
    const bool pi = IEquals(*t, "pi");
    if (pi || IEquals(*t, "e")) {
        if (constantsDot_ != LandDot || piText_.empty()) {
            piText_ = "3" + LandDot + "1415927";
            eText_ = "2" + LandDot + "7182818";
            constantsDot_ = LandDot;
        }
        t = pi ? &piText_ : &eText_;
    }
    return *t;
}

long double ExpressionPipeline::ConvertResolved(const AnsiString& resolved) {
    const bool oneCharDot = LandDot.size() == 1;
    const bool mapping = ConvertAllColonsAndDots || (oneCharDot && LandDot[0] != '.');
    AnsiString mapped;
    if (mapping) {
        mapped = resolved;
        for (char& c : mapped) {
            if (ConvertAllColonsAndDots && c == ',') c = '.';
            if (oneCharDot && c == LandDot[0]) c = '.';
        }
    }
    const AnsiString& text = mapping ? mapped : resolved;
    bool overflow = false;
    const long double value = TextToLongDouble(text, &overflow);
    if (overflow) throw Exception(text + " kann nicht in eine Zahl umgewandelt werden! (STD)");
    return value;
}

bool ExpressionPipeline::CacheFits(const Tree::Cache& c, const AnsiString& text) const {
    return c.numberValid && c.numberColons == ConvertAllColonsAndDots && c.numberDotVersion == landDotVersion_ &&
           SameText(c.numberFor, text);
}

void ExpressionPipeline::CacheStore(Tree::Cache& c, const AnsiString& text, long double value) const {
    c.numberFor = text;
    c.numberDotVersion = landDotVersion_;
    c.numberColons = ConvertAllColonsAndDots;
    c.number = value;
    c.numberValid = true;
}

// Number and variable leaves: the text conversion, remembered per leaf (or,
// for a variable, per variable) while the text and decimal settings stay.
long double ExpressionPipeline::Convert(const AnsiString& text, Tree::Cache* leafCache) {
    const AnsiString& resolved = ResolveLeaf(text);
    const AnsiString* variables[] = {&X, &A, &B, &C, &D};
    Tree::Cache* cache = leafCache;
    for (int i = 0; i < 5; ++i)
        if (&resolved == variables[i]) cache = &variableCache_[i];
    if (cache && CacheFits(*cache, resolved)) return cache->number;
    const bool formatted =
        formatted_.valid && formatted_.dotVersion == landDotVersion_ && SameText(formatted_.text, resolved);
    const long double value = formatted ? formatted_.value : ConvertResolved(resolved);
    if (cache) CacheStore(*cache, resolved, value);
    return value;
}

long double ExpressionPipeline::LeafValue(const Tree& node) {
    // The decimal settings cannot change during one walk of the tree.
    if (!dotChecked_) {
        InitLandDot();
        dotChecked_ = true;
    }
    return Convert(node.Value, &node.cache);
}

long double ExpressionPipeline::StrToLongDouble(const AnsiString& text) {
    InitLandDot();
    return Convert(text, nullptr);
}

AnsiString ExpressionPipeline::LongDoubleToStr(long double value) {
    InitLandDot();
    AnsiString text;
    long double textValue = 0;
    const bool exact = FixedText(value, Precision, LandDot, text, textValue);
    // The conversion of a leaf reads the decimal symbol as the point; a
    // minus as the symbol would not read back as the same number.
    formatted_.valid = exact && LandDot != "-";
    if (formatted_.valid) {
        formatted_.text = text;
        formatted_.dotVersion = landDotVersion_;
        formatted_.value = textValue;
    }
    return text;
}

bool ExpressionPipeline::FixedText(long double value, int places, const AnsiString& dot, AnsiString& text,
                                   long double& textValue) {
    const double d = static_cast<double>(value);
    // Infinite and undefined values have no digits: the library's texts.
    if (!std::isfinite(d)) {
        text = FloatToStr(d);
        return false;
    }
    const bool negative = std::signbit(d);
    std::uint64_t scaled = 0;
    if (dot.size() == 1 && !IsDigit(dot[0]) && FcvtScaled(d, places, scaled)) {
        // The digits of the scaled integer with the symbol `places` from the
        // end: what the general path below gives once its zeros are trimmed.
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, scaled).ptr;
        const auto count = static_cast<int>(end - digits);
        const char* fraction = count > places ? end - places : digits;
        char buf[48];
        char* p = buf;
        if (negative) *p++ = '-';
        if (count > places) p = std::copy(static_cast<const char*>(digits), fraction, p);
        else *p++ = '0';
        while (end > fraction && end[-1] == '0') --end;
        if (end > fraction) {
            *p++ = dot[0];
            for (int i = count; i < places; ++i) *p++ = '0';
            p = std::copy(fraction, static_cast<const char*>(end), p);
        }
        text.assign(buf, p);
        // Integer and power of ten are exact in a long double: one rounding,
        // as the text's own conversion.
        const long double magnitude = static_cast<long double>(scaled) / PowerOfTen(places);
        textValue = negative ? -magnitude : magnitude;
        return true;
    }
    int dec = 0;
    bool fcvtNegative = false;
    const AnsiString digits = FcvtDigits(d, places, dec, fcvtNegative);
    text.clear();
    text.reserve(digits.size() + dot.size() + 4);
    if (dec > 0) {
        const size_t whole = std::min(static_cast<size_t>(dec), digits.size());
        text.append(digits, 0, whole);
        text += dot;
        text.append(digits, whole);
    } else {
        text += '0';
        text += dot;
        text.append(static_cast<size_t>(-dec), '0');
        text += digits;
    }
    TrimZeros(text, dot);
    if (fcvtNegative) text.insert(text.begin(), '-');
    return false;
}

AnsiString ExpressionPipeline::EntferneNullenUndPunkte(const AnsiString& text) const {
    AnsiString out = text;
    TrimZeros(out, LandDot);
    return out;
}

void ExpressionPipeline::TrimZeros(AnsiString& out, const AnsiString& symbol) {
    if (symbol.empty()) return;
    const size_t at = out.find(symbol);
    if (at != AnsiString::npos) {
        // A run of zeros that reaches the end, after the decimal symbol.
        size_t end = out.size();
        while (end > at + symbol.size() && out[end - 1] == '0') --end;
        out.erase(end);
    }
    if (out.size() >= symbol.size() && out.compare(out.size() - symbol.size(), symbol.size(), symbol) == 0)
        out.erase(out.size() - symbol.size());
    if (out.compare(0, symbol.size(), symbol) == 0) out.insert(0, "0");
}

long double ExpressionPipeline::Evaluate() {
    if (!options_.root->Complete) Incomplete();
    const long double value = Eval(options_.root->Node.get());
    if (!dotChecked_) InitLandDot();
    ergebnisValue_ = value;
    ergebnisPlaces_ = Precision;
    if (ergebnisDot_ != LandDot) ergebnisDot_ = LandDot;
    ergebnisPending_ = true;
    return value;
}

const AnsiString& ExpressionPipeline::ErgebnisString() const {
    if (ergebnisPending_) {
        long double unused = 0;
        FixedText(ergebnisValue_, ergebnisPlaces_, ergebnisDot_, ergebnis_, unused);
        ergebnisPending_ = false;
    }
    return ergebnis_;
}
