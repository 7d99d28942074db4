#pragma once
// Texts that LongDoubleToStr made lately, by the value, the places and the
// decimal symbol they were made for. The plotter turns the same column
// positions into text for every curve and at every redraw; a hit copies
// the text instead of making it again.
#include <cstdint>

// A number's fixed-point text and the value that text stands for.
struct NumberText {
    static constexpr int kCapacity = 32;  // sign, 20 digits, symbol: at most 22
    long double value = 0;
    int size = 0;
    char text[kCapacity];
};

class NumberTextMemo {
public:
    // A place for one value's text; it holds that text when Holds says so.
    struct Slot {
        std::uint64_t bits = 0;
        std::uint32_t key = 0;  // places and symbol; 0 for a place never filled
        NumberText number;

        bool Holds(std::uint64_t valueBits, std::uint32_t valueKey) const {
            return key == valueKey && bits == valueBits;
        }
    };

    static std::uint32_t Key(int places, char symbol) {
        return static_cast<std::uint32_t>(places) << 8 | static_cast<unsigned char>(symbol);
    }
    // The slot that holds `value`'s text for `key`, or, when none does, the
    // slot to fill with it. Values are kept in pairs of slots, the newer
    // first, so that two values that meet in one pair do not evict each
    // other in turn. One table per thread: parsers are used from one thread
    // each, and a shared table would need a lock on every sample.
    static Slot& For(std::uint64_t valueBits, std::uint32_t key);
};
