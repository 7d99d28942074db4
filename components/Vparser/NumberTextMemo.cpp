#include "components/Vparser/NumberTextMemo.h"

#include <memory>

namespace {

// Enough for the columns of a wide plot, small enough to stay in cache.
constexpr int kSlotBits = 11;

}  // namespace

NumberTextMemo::Slot& NumberTextMemo::For(std::uint64_t valueBits, std::uint32_t key) {
    // Made on first use: threads that never format a number pay nothing.
    thread_local std::unique_ptr<Slot[]> slots;
    if (!slots) slots = std::make_unique<Slot[]>(std::size_t{1} << kSlotBits);
    // The multiplication mixes the mantissa's low bits, where nearby
    // columns differ, into the top bits that pick the pair.
    const std::uint64_t mixed = valueBits * 0x9E3779B97F4A7C15ULL;
    Slot* pair = &slots[(mixed >> (64 - kSlotBits)) & ~std::uint64_t{1}];
    if (pair[0].Holds(valueBits, key)) return pair[0];
    if (pair[1].Holds(valueBits, key)) return pair[1];
    pair[1] = pair[0];  // the newer text stays, the older one goes
    return pair[0];
}
