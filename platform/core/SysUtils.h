#pragma once
// Text helpers and integer conversions of the class library.
#include <cstdint>
#include <cstdio>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/core/System.h"

namespace detail {
inline const char* FormatArg(const AnsiString& s) { return s.c_str(); }
inline const char* FormatArg(const char* s) { return s; }
template <typename T>
requires std::is_arithmetic_v<T>
T FormatArg(T v) { return v; }
}  // namespace detail

// printf-style formatting into a text; AnsiString arguments are accepted
// where the format has %s.
template <typename... Args>
AnsiString Format(const char* fmt, const Args&... args) {
    const int n = std::snprintf(nullptr, 0, fmt, detail::FormatArg(args)...);
    if (n <= 0) return {};
    AnsiString out(static_cast<size_t>(n), '\0');
    std::snprintf(out.data(), out.size() + 1, fmt, detail::FormatArg(args)...);
    return out;
}

AnsiString IntToStr(std::int64_t value);
// Strict conversion: optional blanks, an optional sign, decimal digits (or a
// '$' / "0x" hexadecimal form), nothing else. Raises EConvertError
// "'%s' is not a valid integer value" otherwise, or when out of 32-bit range.
int StrToInt(const AnsiString& text);
// As StrToInt, but gives `fallback` where StrToInt would raise.
int StrToIntDef(const AnsiString& text, int fallback);
bool TryStrToInt(const AnsiString& text, int& value);

AnsiString Trim(const AnsiString& s);
AnsiString UpperCase(const AnsiString& s);  // ASCII only, as the library's
AnsiString LowerCase(const AnsiString& s);
// Locale-aware lower case of UTF-8 text.
AnsiString AnsiLowerCase(const AnsiString& s);

// 1-based position of `needle` in `hay`, 0 when not found.
int Pos(const AnsiString& needle, const AnsiString& hay);
// `count` characters from 1-based position `index` (clamped like the library's Copy).
AnsiString Copy(const AnsiString& s, int index, int count);

// Path of the running program file.
AnsiString ParamStr0();
