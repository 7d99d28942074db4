#pragma once
// Floating-point conversions of the class library: the locale's decimal
// separator, strict text-to-float and general float-to-text conversions, the
// POSIX fcvt digit conversion and a locale-independent text-to-long-double
// conversion. Arithmetic is `long double` (80-bit on x86-64).
#include <cstdint>
#include <string_view>

#include "platform/core/System.h"

// The decimal separator of the user's locale, read once on first use. Like
// the library's global setting it can be changed for the whole process.
// Inline: number conversions ask for it on every call.
namespace float_convert_detail {
extern char separator;  // 0 until first read
char ReadLocaleSeparator();
}  // namespace float_convert_detail
inline char DecimalSeparator() {
    const char c = float_convert_detail::separator;
    return c != 0 ? c : float_convert_detail::ReadLocaleSeparator();
}
void SetDecimalSeparator(char separator);

// Strict conversion with DecimalSeparator(): optional blanks, an optional
// sign, digits with at most one separator (at least one digit), an optional
// exponent "E"/"e" with optional sign and digits, optional blanks. Raises
// EConvertError "'%s' is not a valid floating point value" otherwise or when
// the value leaves the long double range.
long double StrToFloat(const AnsiString& text);
bool TryStrToFloat(const AnsiString& text, long double& value);

// General format with 15 significant digits and DecimalSeparator(): fixed
// notation for magnitudes from 0.00001 up to 15 digits before the separator,
// otherwise mantissa, "E" and an exponent signed only when negative (1E20,
// 1.5E-6); no trailing zeros, no separator for whole numbers. Infinities and
// NaN give "INF", "-INF" and "NAN".
AnsiString FloatToStr(long double value);

// The digits of `value` rounded to `ndigit` places after the point, exactly
// as the POSIX fcvt gives them: no sign, no point; `decpt` is the number of
// digits before the point (zero or negative below 1), `negative` the sign
// bit. Ties round to even, since the binary value is rounded exactly.
// Infinities and NaN give "inf" / "nan" with decpt 0, as fcvt does.
AnsiString FcvtDigits(double value, int ndigit, int& decpt, bool& negative);

// The integer whose digits FcvtDigits gives (|value| * 10^ndigit, rounded
// half to even), without building text: true when 1 <= ndigit <= 17, the
// value is finite and the integer fits 64 bits.
bool FcvtScaled(double value, int ndigit, std::uint64_t& scaled);

// Locale-independent conversion of the longest beginning of `text` of the
// form: blanks, optional sign, digits with "." as the point, optional
// exponent. 0 when there is no such beginning. `overflow` (when given) is
// set when the value exceeds the long double range (the result is then
// infinite). The value is the correctly rounded one, as strtold's.
long double TextToLongDouble(std::string_view text, bool* overflow = nullptr);
