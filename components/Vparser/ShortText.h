#pragma once
// Equality of the short texts of leaves, samples and decimal symbols, in
// word-sized pieces and without a library call: it runs on every sample.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/core/System.h"

namespace short_text_detail {
template <class Word>
bool SameWord(const char* a, const char* b) {
    Word x, y;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    return x == y;
}
}  // namespace short_text_detail

inline bool SameChars(const char* a, const char* b, std::size_t n) {
    using short_text_detail::SameWord;
    // Two words that overlap in the middle cover any length up to twice
    // their size.
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            if (!SameWord<std::uint64_t>(a + i, b + i)) return false;
        return SameWord<std::uint64_t>(a + n - 8, b + n - 8);
    }
    if (n >= 4) return SameWord<std::uint32_t>(a, b) && SameWord<std::uint32_t>(a + n - 4, b + n - 4);
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

inline bool SameText(const AnsiString& a, const AnsiString& b) {
    return a.size() == b.size() && SameChars(a.data(), b.data(), a.size());
}
