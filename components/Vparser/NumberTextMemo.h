#pragma once
// Texts that LongDoubleToStr made lately, by the value, the places and the
// decimal symbol they were made for. The plotter turns the same column
// positions into text for every curve and at every redraw; a hit copies
// the text instead of making it again.
#include <cstdint>
#include <cstring>

// A number's fixed-point text and the value that text stands for.
struct NumberText {
    static constexpr int kMaxSize = 22;  // sign, 20 digits and the symbol
    static constexpr int kCapacity = 32;
    long double value = 0;
    int size = 0;
    char text[kCapacity];
};

class NumberTextMemo {
public:
    // A place for one value's text: any text of the short path fits, and a
    // slot fills one cache line, so that a fetch ahead brings all of it.
    struct alignas(64) Slot {
        static constexpr int kCapacity = 35;
        long double value = 0;
        std::uint64_t bits = 0;
        std::uint16_t key = 0;  // places and symbol; 0 for a place never filled
        std::uint16_t next = 0;  // the slot asked for after this one, last time
        std::uint8_t size = 0;
        char text[kCapacity] = {};

        bool Holds(std::uint64_t valueBits, std::uint16_t valueKey) const {
            return key == valueKey && bits == valueBits;
        }
        void Fill(std::uint64_t valueBits, std::uint16_t valueKey, const NumberText& number) {
            value = number.value;
            bits = valueBits;
            key = valueKey;
            size = static_cast<std::uint8_t>(number.size);
            std::memcpy(text, number.text, static_cast<std::size_t>(number.size));
        }
    };
    static_assert(sizeof(Slot) == 64 && Slot::kCapacity >= NumberText::kMaxSize);

    static std::uint16_t Key(int places, char symbol) {  // places 1..17, nonzero for them
        return static_cast<std::uint16_t>(places << 8 | static_cast<unsigned char>(symbol));
    }
    // The slot that holds `value`'s text for `key` (`found`), or, when none
    // does, the slot to fill with it. Values are kept in pairs of slots, the
    // newer first, so that two values that meet in one pair do not evict
    // each other in turn. One table per thread: parsers are used from one
    // thread each, and a shared table would need a lock on every sample.
    static Slot& For(std::uint64_t valueBits, std::uint16_t key, bool& found) {
        Slot* table = table_ != nullptr ? table_ : MakeTable();
        // Samples come in the same order at every pass over a plot: the slot
        // that followed the last one last time is tried first. Its place is
        // known before the value is, so that all that is read from it waits
        // for a comparison alone, which the processor predicts, and not for
        // the value and its hash.
        Slot* slot = &table[table[last_].next];
        found = slot->Holds(valueBits, key);
        if (!found) [[unlikely]] {
            Slot* pair = PairOf(table, valueBits);
            slot = pair[0].Holds(valueBits, key) ? pair : pair[1].Holds(valueBits, key) ? pair + 1 : nullptr;
            found = slot != nullptr;
            if (!found) {
                pair[1] = pair[0];  // the newer text stays, the older one goes
                slot = pair;
            }
            table[last_].next = static_cast<std::uint16_t>(slot - table);
        }
        last_ = static_cast<std::uint16_t>(slot - table);
        __builtin_prefetch(&table[slot->next]);  // the one tried next, into the nearest cache
        return *slot;
    }

private:
    // Enough for the columns of a wide plot, small enough for the
    // second-level cache.
    static constexpr int kSlotBits = 11;
    // This thread's table, made on first use: threads that never format a
    // number pay nothing. A plain pointer needs no guard on each access.
    static inline thread_local Slot* table_ = nullptr;
    static inline thread_local std::uint16_t last_ = 0;
    static Slot* MakeTable();

    static Slot* PairOf(Slot* table, std::uint64_t valueBits) {
        // The multiplication mixes the mantissa's low bits, where nearby
        // columns differ, into the top bits that pick the pair.
        const std::uint64_t mixed = valueBits * 0x9E3779B97F4A7C15ULL;
        return &table[(mixed >> (64 - kSlotBits)) & ~std::uint64_t{1}];
    }
};
