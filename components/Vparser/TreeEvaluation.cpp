// Evaluating a built tree, by walking its nodes or, for Evaluate on the
// shared root, by its flattened steps: made once per tree and decimal
// settings, then replayed for every new set of variables. Anything the
// steps cannot stand for (a leaf whose conversion fails, an incomplete
// node) leaves that tree to the walk, which raises the error at its turn.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "components/Vparser/ExpressionPipeline.h"
#include "components/Vparser/ShortText.h"

namespace {

// The variable a leaf names, as its slot among x, a, b, c, d; -1 for a
// number or a constant.
int VariableSlot(const AnsiString& text) {
    if (text.size() != 1) return -1;
    switch (text[0]) {
        case 'x': case 'X': return 0;
        case 'a': case 'A': return 1;
        case 'b': case 'B': return 2;
        case 'c': case 'C': return 3;
        case 'd': case 'D': return 4;
        default: return -1;
    }
}

const AnsiString kVariableNames[5] = {"x", "a", "b", "c", "d"};

// A binary operator node whose operands are both leaves.
bool IsLeafPair(const Tree& node) {
    return IsOperatorText(node.Value) && node.Value[0] != '#' && node.Left && node.Right &&
           !IsOperatorText(node.Left->Value) && !IsOperatorText(node.Right->Value);
}

// The evaluation errors, kept out of the operators' own code.
[[noreturn, gnu::noinline, gnu::cold]] void Fail(const char* message) { throw Exception(message); }
[[noreturn, gnu::noinline, gnu::cold]] void NoRealPower(bool ownMessage) {
    if (ownMessage) throw Exception("Kein negativer Ausdruck unter Wurzel erlaubt.");
    throw EInvalidOp("Invalid floating point operation");
}

// pow's value, by multiplication where that is the same number: a whole
// power up to 8 of a base with so few significant bits that every partial
// product is exact. The result is then a double itself, and pow, whose
// error stays far below the half unit that would reach a neighbour,
// returns exactly that double. Plotted columns of a range like -10..10
// are such bases.
double Power(double base, double power) {
    if (power >= 1 && power <= 8 && power == static_cast<int>(power)) {
        const auto bits = std::bit_cast<std::uint64_t>(base);
        const int biased = static_cast<int>((bits >> 52) & 0x7FF);
        // Bases from 2^-100 to 2^101: no product leaves the normal range.
        if (biased >= 1023 - 100 && biased <= 1023 + 100) {
            const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
            const int significant = 53 - std::countr_zero(mantissa);
            const int n = static_cast<int>(power);
            if (significant * n <= 53) {
                double product = base;
                for (int i = 1; i < n; ++i) product *= base;
                return product;
            }
        }
    }
    return std::pow(base, power);
}

}  // namespace

long double ExpressionPipeline::modl(long double a, long double b) {
    if (b == 0) return 0;
    const long double quotient = a / b;
    constexpr long double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr long double kMax = std::numeric_limits<std::int32_t>::max();
    // The quotient truncated fits a 32-bit integer exactly in this range,
    // and the conversion itself truncates towards zero.
    if (quotient > kMin - 1 && quotient < kMax + 1) return a - b * static_cast<std::int32_t>(quotient);
    // A quotient without a value (an infinite or undefined a) fails the
    // integer conversion: the result is then a. Finite quotients beyond a
    // 32-bit integer give the exact remainder, with the same sign rule.
    if (!std::isfinite(quotient)) return a;
    return std::fmod(a, b);
}

// Both evaluations are in this file so that the operators are inlined:
// long double values passed through memory cost more than the operation.
[[gnu::always_inline]] inline long double ExpressionPipeline::ApplyFunction(char letter, long double r) {
    switch (letter) {
        case 's': return std::sin(static_cast<double>(r));
        case 'c': return std::cos(static_cast<double>(r));
        case 't': return std::tan(static_cast<double>(r));
        case 'n':
        case 'g':
            if (!(r > 0)) Fail("Log von X mit X <= 0");
            return letter == 'n' ? std::log(r) : std::log(r) / std::log(10.0L);
        case 'r': return std::fabs(r);
        default: return 0;  // also "0"
    }
}

[[gnu::always_inline]] inline long double ExpressionPipeline::ApplyOperator(char op, long double l,
                                                                           long double r) const {
    switch (op) {
        case '+': return l + r;
        case '*': return (l == 0 || r == 0) ? 0 : l * r;
        case '-': return l - r;
        case '/':
            if (r == 0) Fail("Division durch 0");
            return l / r;
        case 'm': return modl(l, r);
        default: {  // '^'
            const double base = static_cast<double>(l), power = static_cast<double>(r);
            if (base < 0 && std::trunc(power) != power) NoRealPower(options_.ownPowerMessage);
            return Power(base, power);
        }
    }
}

long double ExpressionPipeline::Eval(const Tree* node) {
    dotChecked_ = false;
    return EvalNode(node);
}

long double ExpressionPipeline::EvalNode(const Tree* node) {
    if (!node) Incomplete();
    if (!IsOperatorText(node->Value)) return LeafValue(*node);
    if (!node->Left || !node->Right) Incomplete();

    const long double r = EvalNode(node->Right.get());
    if (node->Value[0] == '#') return ApplyFunction(FunctionLetter(*node->Left), r);
    const long double l = EvalNode(node->Left.get());
    return ApplyOperator(node->Value[0], l, r);
}

inline bool ExpressionPipeline::FlatStepsReady() {
    const ExpressionRoot& root = *options_.root;
    if (flat_.Fits(root, landDotVersion_, ConvertAllColonsAndDots)) return flat_.usable;
    return Flatten();
}

bool ExpressionPipeline::Flatten() {
    const ExpressionRoot& root = *options_.root;
    flat_.node = root.Node.get();
    flat_.generation = root.Generation;
    flat_.dotVersion = landDotVersion_;
    flat_.colons = ConvertAllColonsAndDots;
    flat_.steps.clear();
    flat_.values.assign(FlatTree::kVariables, 0.0L);
    flat_.usedVariables = 0;
    int height = 0, deepest = 0;
    flat_.usable = root.Complete && FlattenNode(root.Node.get(), height, deepest);
    flat_.stack.assign(static_cast<size_t>(deepest), 0.0L);
    flat_.sources.resize(flat_.values.size());
    for (size_t i = 0; i < flat_.values.size(); ++i) flat_.sources[i] = &flat_.values[i];
    return flat_.usable;
}

// The place in the value table that stands for a leaf: its variable's, or
// a new one with its converted number.
bool ExpressionPipeline::FlatLeafOf(const Tree& node, std::uint32_t& place) {
    const int slot = VariableSlot(node.Value);
    if (slot >= 0) {
        place = static_cast<std::uint32_t>(slot);
        flat_.usedVariables |= 1u << slot;
        return true;
    }
    long double number = 0;
    try {
        number = Convert(node.Value, &node.cache);
    } catch (const Exception&) {
        return false;  // the walk raises it when the leaf's turn comes
    }
    place = static_cast<std::uint32_t>(flat_.values.size());
    flat_.values.push_back(number);
    return true;
}

// Every node's steps begin with a load. `height` counts the values on the
// stack, `deepest` the most it has held.
bool ExpressionPipeline::FlattenNode(const Tree* node, int& height, int& deepest) {
    if (!node) return false;
    auto& steps = flat_.steps;
    if (!IsOperatorText(node->Value)) {
        FlatStep load{.op = FlatStep::kLoad, .code = 0, .spill = !steps.empty()};
        if (!FlatLeafOf(*node, load.leaf)) return false;
        if (load.spill) deepest = std::max(deepest, ++height);
        steps.push_back(load);
        return true;
    }
    if (!node->Left || !node->Right) return false;
    const char op = node->Value[0];
    const Tree& left = *node->Left;
    const Tree& right = *node->Right;
    if (op == '#') {
        if (!FlattenNode(&right, height, deepest)) return false;
        steps.push_back({.op = FlatStep::kFunction, .code = FunctionLetter(left)});
        return true;
    }
    if (!IsOperatorText(left.Value) && !IsOperatorText(right.Value)) {
        FlatStep step{.op = FlatStep::kLeaves, .code = op, .spill = !steps.empty()};
        if (!FlatLeafOf(right, step.right) || !FlatLeafOf(left, step.leaf)) return false;
        if (step.spill) deepest = std::max(deepest, ++height);
        steps.push_back(step);
        return true;
    }
    if (!IsOperatorText(left.Value)) {
        if (!FlattenNode(&right, height, deepest)) return false;
        FlatStep step{.op = FlatStep::kLeftLeaf, .code = op};
        if (!FlatLeafOf(left, step.leaf)) return false;
        steps.push_back(step);
        return true;
    }
    if (!IsOperatorText(right.Value) && VariableSlot(right.Value) < 0) {
        FlatStep step{.op = FlatStep::kRightNumber, .code = op};
        if (!FlatLeafOf(right, step.leaf)) return false;
        if (!FlattenNode(&left, height, deepest)) return false;
        steps.push_back(step);
        return true;
    }
    if (IsLeafPair(left)) {
        if (!FlattenNode(&right, height, deepest)) return false;
        FlatStep step{.op = FlatStep::kLeftLeaves, .code = op, .inner = left.Value[0]};
        if (!FlatLeafOf(*left.Right, step.right) || !FlatLeafOf(*left.Left, step.leaf)) return false;
        steps.push_back(step);
        return true;
    }
    if (!FlattenNode(&right, height, deepest) || !FlattenNode(&left, height, deepest)) return false;
    steps.push_back({.op = FlatStep::kOperator, .code = op});
    --height;
    return true;
}

template <bool kPending>
[[gnu::always_inline]] inline long double ExpressionPipeline::RunSteps(unsigned pending) {
    long double* values = flat_.values.data();
    const long double* const* sources = flat_.sources.data();
    const auto value = [&](std::uint32_t place) -> long double {
        if constexpr (kPending) {
            if (place < FlatTree::kVariables && (pending & (1u << place))) {
                values[place] = Convert(kVariableNames[place], nullptr);
                pending &= ~(1u << place);
            }
        }
        return *sources[place];
    };
    long double* stack = flat_.stack.data();
    long double acc = 0;
    for (const FlatStep& step : flat_.steps) {
        long double l, r;  // the operator's operands, from the step's kind
        switch (step.op) {
            case FlatStep::kLoad:
                if (step.spill) *stack++ = acc;
                acc = value(step.leaf);
                continue;
            case FlatStep::kFunction: acc = ApplyFunction(step.code, acc); continue;
            case FlatStep::kLeaves:
                if (step.spill) *stack++ = acc;
                r = value(step.right);
                l = value(step.leaf);
                break;
            case FlatStep::kLeftLeaf:
                r = acc;
                l = value(step.leaf);
                break;
            case FlatStep::kLeftLeaves: {
                r = acc;
                const long double innerRight = value(step.right);
                l = ApplyOperator(step.inner, value(step.leaf), innerRight);
                break;
            }
            case FlatStep::kRightNumber:
                l = acc;
                r = values[step.leaf];
                break;
            default:  // kOperator
                l = acc;
                r = *--stack;
                break;
        }
        acc = ApplyOperator(step.code, l, r);
    }
    return acc;
}

// Inlined into Evaluate, as the steps are into it: on a sample each call
// costs about as much as a step.
[[gnu::always_inline]] inline long double ExpressionPipeline::RunFlat() {
    // A plotted expression names x alone, and x is the sample just
    // formatted: the usual case needs none of the loop below, and x is read
    // where the sample's number is kept (a long double just stored takes
    // long to read back).
    const long double** sources = flat_.sources.data();
    if (flat_.usedVariables == 1u) [[likely]] {
        if (const long double* x = formatted_.Find(X, landDotVersion_)) [[likely]] {
            sources[0] = x;
            return RunSteps<false>(0);
        }
    }
    // Otherwise the variables that are known without a conversion (the
    // sample just formatted, texts converted before) are read now; the
    // others are converted at their first use, so that a failing conversion
    // raises where the walk would raise it.
    long double* values = flat_.values.data();
    unsigned pending = 0;
    for (unsigned used = flat_.usedVariables; used != 0; used &= used - 1) {
        const auto slot = static_cast<unsigned>(std::countr_zero(used));
        sources[slot] = &values[slot];
        // The sample just formatted first: a number text names no other
        // variable, so it needs none of KnownValue's name resolution.
        if (const long double* known = formatted_.Find(VariableText(slot), landDotVersion_)) values[slot] = *known;
        else if (!KnownValue(kVariableNames[slot], nullptr, values[slot])) pending |= 1u << slot;
    }
    return pending == 0 ? RunSteps<false>(0) : RunSteps<true>(pending);
}

long double ExpressionPipeline::Evaluate() {
    const ExpressionRoot& root = *options_.root;
    if (!root.Complete) Incomplete();
    // The walk's first step is always a leaf, whose conversion starts with
    // InitLandDot; the settings cannot change during the walk.
    InitLandDot();
    dotChecked_ = true;
    const long double value = FlatStepsReady() ? RunFlat() : EvalNode(root.Node.get());
    ergebnisValue_ = value;
    ergebnisPlaces_ = Precision;
    // InitLandDot counted every change of LandDot: an equal count is an
    // equal text.
    if (ergebnisDotVersion_ != landDotVersion_) {
        ergebnisDot_ = LandDot;
        ergebnisDotVersion_ = landDotVersion_;
    }
    ergebnisPending_ = true;
    return value;
}

const AnsiString& ExpressionPipeline::ErgebnisString() const {
    if (ergebnisPending_) {
        ergebnis_ = FixedText(ergebnisValue_, ergebnisPlaces_, ergebnisDot_);
        ergebnisPending_ = false;
    }
    return ergebnis_;
}
