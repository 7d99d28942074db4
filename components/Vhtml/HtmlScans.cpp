#include "components/Vhtml/HtmlScans.h"

namespace Vhtml {

namespace {

using Pos = long long;

constexpr std::string_view kLinkMarker = "<A href=\"";
constexpr std::string_view kImageMarker = "<IMG ";
constexpr std::string_view kSourceMarker = "src=\"";
constexpr std::string_view kQuote = "\"";

Pos Length(std::string_view s) {
    return static_cast<Pos>(s.size());
}

// The n characters that begin at 1-based position p: empty when p is below
// 1 or beyond the end, shorter when the text ends first.
std::string_view Piece(std::string_view s, Pos p, Pos n) {
    if (p < 1 || p > Length(s)) return {};
    return s.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n));
}

void RunPass(const TScanPass& pass) {
    if (pass) pass();
}

// Ends a collected value: it becomes a line of the target.
void Deliver(AnsiString& collected, TStrings& target) {
    target.Add(collected);
    collected.clear();
}

}  // namespace

bool ScanLinks(std::string_view s, TStrings& target, const TScanPass& pass) {
    const Pos n = Length(s);
    const Pos m = Length(kLinkMarker);
    AnsiString collected;
    bool inLink = false;
    for (Pos p = 0; p < n; ++p) {
        RunPass(pass);
        if (p + m < n && Piece(s, p, m) == kLinkMarker) {
            p += m;
            inLink = true;
            collected.clear();
        }
        if (inLink) {
            const std::string_view c = Piece(s, p, 1);
            if (c != kQuote) {
                collected += c;
            } else {
                Deliver(collected, target);
                inLink = false;
            }
        }
    }
    return inLink;
}

bool ScanImages(std::string_view s, TStrings& target, const TScanPass& pass) {
    const Pos n = Length(s);
    const Pos m = Length(kImageMarker);  // both markers have 5 characters
    AnsiString collected;
    bool inImage = false;
    bool inSource = false;
    bool found = false;
    for (Pos p = 0; p < n; ++p) {
        RunPass(pass);
        if (p + 2 * m < n) {
            const std::string_view t = Piece(s, p, m);
            if (t == kImageMarker) {
                p += m - 1;  // the next pass looks right after the marker
                inImage = true;
                collected.clear();
            } else if (inImage && t == kSourceMarker) {
                p += m;
                inSource = true;
                collected.clear();
            }
        }
        if (inSource) {
            found = true;
            const std::string_view c = Piece(s, p, 1);
            if (c != kQuote) {
                collected += c;
            } else {
                Deliver(collected, target);
                inImage = false;
                inSource = false;
            }
        }
    }
    return found;
}

bool ScanValues(std::string_view s, std::string_view start, std::string_view value, std::string_view end,
                TStrings& target, const TScanPass& pass) {
    // With an empty marker a pass could leave p where it was (or move it
    // back) and the scan would never end.
    if (start.empty() || value.empty() || end.empty()) return false;
    const Pos n = Length(s);
    const Pos ls = Length(start);
    const Pos lv = Length(value);
    const Pos le = Length(end);
    AnsiString collected;
    bool inValue = false;
    bool afterStart = false;
    bool found = false;
    for (Pos p = 0; p < n; ++p) {
        RunPass(pass);
        if (ls + p + lv < n) {
            const std::string_view tS = Piece(s, p, ls);
            const std::string_view tV = Piece(s, p, lv);
            if (tS == start) {
                p += ls - 1;  // the next pass looks right after the start marker
                inValue = false;
                afterStart = true;
            }
            if (afterStart && tV == value) {
                p += lv;
                inValue = true;
                collected.clear();
            }
        }
        if (inValue) {
            found = true;
            if (Piece(s, p, le) != end) {
                collected += Piece(s, p, 1);
            } else {
                Deliver(collected, target);
                p += le - 1;  // the next pass looks right after the end marker
                afterStart = false;
                inValue = false;
            }
        }
    }
    return found;
}

}  // namespace Vhtml
