#include "platform/core/SysUtils.h"

#include <QLocale>
#include <QString>
#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <system_error>

AnsiString IntToStr(std::int64_t value) { return std::to_string(value); }

bool TryStrToInt(const AnsiString& text, int& value) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n) return false;
    std::int64_t acc = 0;
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c)) digit = c - '0';
        else if (base == 16 && std::isxdigit(c)) digit = std::tolower(c) - 'a' + 10;
        else return false;
        acc = acc * base + digit;
        if (acc > static_cast<std::int64_t>(INT_MAX) + 1) return false;
    }
    if (negative) acc = -acc;
    if (acc > INT_MAX || acc < INT_MIN) return false;
    value = static_cast<int>(acc);
    return true;
}

int StrToInt(const AnsiString& text) {
    int v = 0;
    if (!TryStrToInt(text, v)) throw EConvertError(Format("'%s' is not a valid integer value", text));
    return v;
}

int StrToIntDef(const AnsiString& text, int fallback) {
    int v = 0;
    return TryStrToInt(text, v) ? v : fallback;
}

AnsiString Trim(const AnsiString& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

AnsiString UpperCase(const AnsiString& s) {
    AnsiString r = s;
    std::transform(r.begin(), r.end(), r.begin(), [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; });
    return r;
}

AnsiString LowerCase(const AnsiString& s) {
    AnsiString r = s;
    std::transform(r.begin(), r.end(), r.begin(), [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; });
    return r;
}

AnsiString AnsiLowerCase(const AnsiString& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toLower().toStdString();
}

int Pos(const AnsiString& needle, const AnsiString& hay) {
    if (needle.empty()) return 0;
    const auto p = hay.find(needle);
    return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

AnsiString Copy(const AnsiString& s, int index, int count) {
    if (index < 1) index = 1;
    if (count <= 0 || static_cast<size_t>(index) > s.size()) return {};
    return s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

AnsiString ParamStr0() {
    std::error_code ec;
    const auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? AnsiString() : p.string();
}
