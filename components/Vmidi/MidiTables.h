#pragma once
// The component's fixed tables: note length codes with their delta-time
// bytes, the frequency constants of each octave and the instrument names.
// Internal to Vmidi.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/core/System.h"

namespace Vmidi {

struct LengthCode {
    std::string_view code;
    int numerator;    // fraction of a whole note
    int denominator;
    int ticks;        // at 768 ticks per quarter note
    std::uint8_t d1;  // delta time as a variable-length quantity, high group first
    int d2;           // -1 when the delta is the single byte d1
};

// The code whose text equals `code` exactly (case-sensitive), or nullptr.
const LengthCode* FindLengthCode(std::string_view code);
std::span<const LengthCode> LengthCodes();

struct OctaveFrequencies {
    double lowest;  // note 12*o
    double second;  // note 12*o + 1
};
inline constexpr int kHighestOctave = 10;
const OctaveFrequencies& OctaveTable(int octave);

inline constexpr int kInstrumentCount = 80;
std::span<const char* const> InstrumentNames();

}  // namespace Vmidi
