#include "platform/core/FloatConvert.h"

#include <QLocale>
#include <algorithm>
#include <bit>
#include <QString>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "platform/core/SysUtils.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Powers of ten that a long double holds exactly (5^27 < 2^64).
constexpr int kExactPowers = 27;
const long double* PowersOfTen() {
    static const auto table = [] {
        struct T {
            long double v[kExactPowers + 1];
        } t{};
        t.v[0] = 1.0L;
        for (int i = 1; i <= kExactPowers; ++i) t.v[i] = t.v[i - 1] * 10.0L;
        return t;
    }();
    return table.v;
}

// The C locale for strtold_l, made once.
locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

char float_convert_detail::separator = 0;

char float_convert_detail::ReadLocaleSeparator() {
    const QString point = QLocale::system().decimalPoint();
    const QChar c = point.isEmpty() ? QChar('.') : point.at(0);
    separator = c.unicode() > 0 && c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '.';
    return separator;
}

void SetDecimalSeparator(char separator) { float_convert_detail::separator = separator; }

long double TextToLongDouble(std::string_view text, bool* overflow) {
    if (overflow) *overflow = false;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n && IsBlank(text[i])) ++i;
    const size_t start = i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Mantissa: the digits go into `digits` (leading zeros skipped) as long
    // as they fit; `scale` counts the digits after the point.
    std::uint64_t digits = 0;
    int significant = 0, scale = 0, mantissaDigits = 0;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        ++mantissaDigits;
        if (seenPoint) ++scale;
        if (significant == 0 && c == '0') continue;
        if (++significant <= 19) digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (mantissaDigits == 0) return 0.0L;

    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
        if (j < n && IsDigit(text[j])) {
            for (; j < n && IsDigit(text[j]); ++j)
                if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
            if (expNegative) exponent = -exponent;
            i = j;
        }
    }

    long double value;
    const long k = exponent - scale;
    if (significant == 0) {
        value = 0.0L;
    } else if (significant <= 19 && k >= -kExactPowers && k <= kExactPowers) {
        // Both operands are exact, so the one rounding of the product or
        // quotient gives the correctly rounded value, as strtold does.
        const long double d = static_cast<long double>(digits);
        value = k >= 0 ? d * PowersOfTen()[k] : d / PowersOfTen()[-k];
    } else {
        const std::string prefix(text.substr(start, i - start));
        value = std::fabs(strtold_l(prefix.c_str(), nullptr, CLocale()));
    }
    if (overflow && std::isinf(value)) *overflow = true;
    return negative ? -value : value;
}

bool TryStrToFloat(const AnsiString& text, long double& value) {
    const char sep = DecimalSeparator();
    size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    while (n > i && text[n - 1] == ' ') --n;
    std::string normal;
    normal.reserve(n - i);
    if (i < n && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (IsDigit(text[i])) {
            ++digits;
            normal += text[i];
        } else if (text[i] == sep && !point) {
            point = true;
            normal += '.';
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        if (i == n || !IsDigit(text[i])) return false;
        for (; i < n && IsDigit(text[i]); ++i) normal += text[i];
    }
    if (i != n) return false;
    bool overflow = false;
    value = TextToLongDouble(normal, &overflow);
    return !overflow;
}

long double StrToFloat(const AnsiString& text) {
    long double value = 0;
    if (!TryStrToFloat(text, value)) throw EConvertError(Format("'%s' is not a valid floating point value", text));
    return value;
}

AnsiString FloatToStr(long double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // d.dddddddddddddde±x: 15 significant digits, correctly rounded.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 14);
    *res.ptr = '\0';
    const char* e = static_cast<const char*>(std::memchr(buf, 'e', static_cast<size_t>(res.ptr - buf)));
    const int exponent = std::atoi(e + 1);
    std::string digits;
    for (const char* p = buf; p < e; ++p)
        if (IsDigit(*p)) digits += *p;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    const char sep = DecimalSeparator();
    AnsiString out = value < 0 ? "-" : "";
    if (exponent < -5 || exponent > 14) {
        out += digits[0];
        if (digits.size() > 1) (out += sep) += digits.substr(1);
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent >= 0) {
        const size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole);
            (out += sep) += digits.substr(whole);
        }
    } else {
        out += '0';
        out += sep;
        out += std::string(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

namespace {

constexpr std::uint64_t kPow10[] = {1ULL,
                                   10ULL,
                                   100ULL,
                                   1000ULL,
                                   10000ULL,
                                   100000ULL,
                                   1000000ULL,
                                   10000000ULL,
                                   100000000ULL,
                                   1000000000ULL,
                                   10000000000ULL,
                                   100000000000ULL,
                                   1000000000000ULL,
                                   10000000000000ULL,
                                   100000000000000ULL,
                                   1000000000000000ULL,
                                   10000000000000000ULL,
                                   100000000000000000ULL,
                                   1000000000000000000ULL,
                                   10000000000000000000ULL};

// Decimal text of a 128-bit unsigned integer; one 128-bit division at most.
void AppendDecimal(unsigned __int128 v, AnsiString& out) {
    char buf[48];
    char* end = buf;
    if (v > ~std::uint64_t{0}) {
        const auto high = static_cast<std::uint64_t>(v / kPow10[19]);
        const auto low = static_cast<std::uint64_t>(v % kPow10[19]);
        end = std::to_chars(buf, buf + sizeof buf, high).ptr;
        char lowDigits[24];
        const char* lowEnd = std::to_chars(lowDigits, lowDigits + sizeof lowDigits, low).ptr;
        const auto n = static_cast<size_t>(lowEnd - lowDigits);
        for (size_t k = n; k < 19; ++k) *end++ = '0';
        end = std::copy(static_cast<const char*>(lowDigits), lowEnd, end);
    } else {
        end = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(v)).ptr;
    }
    out.append(buf, static_cast<size_t>(end - buf));
}

// |value| * 10^ndigit (1 <= ndigit <= 17) rounded half-to-even to an
// integer, computed exactly from the binary mantissa; false when it does
// not fit 127 bits.
bool ScaledRounded(double value, int ndigit, unsigned __int128& result) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int shift;  // |value| = mantissa * 2^shift
    if (biased == 0) {
        shift = -1074;
    } else {
        mantissa |= std::uint64_t{1} << 52;
        shift = biased - 1075;
    }
    const unsigned __int128 p = static_cast<unsigned __int128>(mantissa) * kPow10[ndigit];  // < 2^110
    if (shift >= 0) {
        if (shift > 16) return false;
        result = p << shift;
        return true;
    }
    shift = -shift;
    if (shift >= 127) {
        result = 0;  // below 2^-17: far less than one half
        return true;
    }
    const unsigned __int128 q = p >> shift;
    const unsigned __int128 rest = p - (q << shift);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    result = q + ((rest > half || (rest == half && (q & 1) != 0)) ? 1 : 0);
    return true;
}

}  // namespace

bool FcvtScaled(double value, int ndigit, std::uint64_t& scaled) {
    unsigned __int128 wide = 0;
    if (!std::isfinite(value) || ndigit < 1 || ndigit > 17 || !ScaledRounded(value, ndigit, wide)) return false;
    if (wide > ~std::uint64_t{0}) return false;
    scaled = static_cast<std::uint64_t>(wide);
    return true;
}

AnsiString FcvtDigits(double value, int ndigit, int& decpt, bool& negative) {
    negative = std::signbit(value);
    if (ndigit > 17) ndigit = 17;  // as fcvt: more places are not kept
    unsigned __int128 scaled = 0;
    if (std::isfinite(value) && ndigit >= 1 && ScaledRounded(value, ndigit, scaled)) {
        AnsiString digits;
        if (value == 0) {
            decpt = 1;
            return AnsiString(static_cast<size_t>(ndigit) + 1, '0');
        }
        if (scaled == 0) {
            decpt = -ndigit;
            return digits;
        }
        AppendDecimal(scaled, digits);
        decpt = static_cast<int>(digits.size()) - ndigit;
        return digits;
    }
    // Rare cases (huge values, no places after the point, non-finite
    // values): the C library's own conversion.
    char buf[400];
    int sign = 0;
    if (fcvt_r(value, ndigit, &decpt, &sign, buf, sizeof buf) != 0) {
        decpt = 0;
        return AnsiString();
    }
    return AnsiString(buf);
}
