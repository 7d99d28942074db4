#include "components/Vparser/ExpressionPipeline.h"

#include <bit>
#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "components/Vparser/ShortText.h"
#include "platform/core/FloatConvert.h"

namespace {

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

void ExpressionPipeline::SetLandDot() {
    if (!OverwriteDecimalSymbol.empty()) {
        if (LandDot != OverwriteDecimalSymbol) LandDot = OverwriteDecimalSymbol;
    } else {
        const char separator = DecimalSeparator();
        if (LandDot.size() != 1 || LandDot[0] != separator) LandDot.assign(1, separator);
    }
    // LandDot is a public field: compared by content, not by what this
    // function wrote last time.
    if (!SameText(LandDot, versionedDot_)) {
        versionedDot_ = LandDot;
        versionedChar_ = LandDot.size() == 1 ? static_cast<unsigned char>(LandDot[0]) : -1;
        if (++landDotVersion_ == 0) landDotVersion_ = 1;
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
    ++options_.root->Generation;
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

// Number and variable leaves: the text conversion is remembered while the
// text and the decimal settings stay, a variable's per variable, any other
// leaf's per leaf.
Tree::Cache* ExpressionPipeline::CacheFor(const AnsiString& resolved, Tree::Cache* leafCache) {
    for (unsigned i = 0; i < 5; ++i)
        if (&resolved == &VariableText(i)) return &variableCache_[i];
    return leafCache;
}

bool ExpressionPipeline::KnownResolved(const AnsiString& resolved, const Tree::Cache* cache,
                                       long double& value) const {
    // A sample just formatted is the usual X: known without a conversion
    // and without keeping its text.
    if (const long double* known = formatted_.Find(resolved, landDotVersion_)) {
        value = *known;
        return true;
    }
    if (!cache || !CacheFits(*cache, resolved)) return false;
    value = cache->number;
    return true;
}

bool ExpressionPipeline::KnownValue(const AnsiString& text, Tree::Cache* leafCache, long double& value) {
    const AnsiString& resolved = ResolveLeaf(text);
    return KnownResolved(resolved, CacheFor(resolved, leafCache), value);
}

long double ExpressionPipeline::Convert(const AnsiString& text, Tree::Cache* leafCache) {
    const AnsiString& resolved = ResolveLeaf(text);
    Tree::Cache* cache = CacheFor(resolved, leafCache);
    long double value = 0;
    if (KnownResolved(resolved, cache, value)) return value;
    value = ConvertResolved(resolved);
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

// A sample's text fits the string's own buffer: made with a copy of fixed
// length, which needs no library call, and then cut to its size.
[[gnu::always_inline]] inline AnsiString ExpressionPipeline::TextOf(const char* number, size_t size) {
    constexpr size_t kShort = 15;
    static_assert(NumberText::kCapacity >= kShort && NumberTextMemo::Slot::kCapacity >= kShort);
    AnsiString text = size > kShort ? AnsiString(number, size) : AnsiString(number, kShort);
    text.resize(size);
    return text;
}

AnsiString ExpressionPipeline::LongDoubleToStr(long double value) {
    InitLandDot();
    formatted_.dotVersion = 0;  // until a text in the memo is made
    // The short path's places (1..17) and one-character symbols only.
    if (LandDot.size() != 1 || Precision < 1 || Precision > 17) [[unlikely]]
        return FixedText(value, Precision, LandDot);
    const char dot = LandDot[0];
    const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(value));
    const std::uint16_t key = NumberTextMemo::Key(Precision, dot);
    bool found = false;
    NumberTextMemo::Slot& slot = NumberTextMemo::For(bits, key, found);
    if (!found && !FillSlot(slot, value, bits, key)) [[unlikely]]
        return FixedText(value, Precision, LandDot);
    formatted_.slot = &slot;
    formatted_.bits = bits;
    formatted_.key = key;
    // The conversion of a leaf reads the decimal symbol as the point; a
    // minus as the symbol would not read back as the same number.
    formatted_.dotVersion = dot != '-' ? landDotVersion_ : 0;
    return TextOf(slot.text, slot.size);
}

// Out of line: a value met again, the usual case, needs none of this.
bool ExpressionPipeline::FillSlot(NumberTextMemo::Slot& slot, long double value, std::uint64_t bits,
                                  std::uint16_t key) const {
    NumberText number;
    if (!ShortFixedText(value, Precision, LandDot, number)) return false;
    slot.Fill(bits, key, number);
    return true;
}

bool ExpressionPipeline::ShortFixedText(long double value, int places, const AnsiString& dot, NumberText& out) {
    const double d = static_cast<double>(value);
    std::uint64_t scaled = 0;
    if (dot.size() != 1 || IsDigit(dot[0]) || !std::isfinite(d) || !FcvtScaled(d, places, scaled)) return false;
    // The digits of the scaled integer with the symbol `places` from the
    // end: what the general path gives once its zeros are trimmed.
    const bool negative = std::signbit(d);
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, scaled).ptr;
    const auto count = static_cast<int>(end - digits);
    const char* fraction = count > places ? end - places : digits;
    char* p = out.text;
    if (negative) *p++ = '-';
    if (count > places) p = std::copy(static_cast<const char*>(digits), fraction, p);
    else *p++ = '0';
    while (end > fraction && end[-1] == '0') --end;
    if (end > fraction) {
        *p++ = dot[0];
        for (int i = count; i < places; ++i) *p++ = '0';
        p = std::copy(fraction, static_cast<const char*>(end), p);
    }
    out.size = static_cast<int>(p - out.text);
    // Integer and power of ten are exact in a long double: one rounding,
    // as the text's own conversion.
    const long double magnitude = static_cast<long double>(scaled) / PowerOfTen(places);
    out.value = negative ? -magnitude : magnitude;
    return true;
}

AnsiString ExpressionPipeline::FixedText(long double value, int places, const AnsiString& dot) {
    NumberText number;
    if (ShortFixedText(value, places, dot, number)) return TextOf(number.text, static_cast<size_t>(number.size));
    const double d = static_cast<double>(value);
    // Infinite and undefined values have no digits: the library's texts.
    if (!std::isfinite(d)) return FloatToStr(d);
    int dec = 0;
    bool negative = false;
    const AnsiString digits = FcvtDigits(d, places, dec, negative);
    AnsiString text;
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
    if (negative) text.insert(text.begin(), '-');
    return text;
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
