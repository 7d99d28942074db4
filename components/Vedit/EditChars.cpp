#include "components/Vedit/EditChars.h"

namespace Vedit {
namespace {
// Characters of one UTF-8 sequence starting with `lead`: two for a
// sequence of four bytes (outside the basic plane), none for a
// continuation byte, one otherwise.
int UnitsOfByte(unsigned char lead) {
    if ((lead & 0xC0) == 0x80) return 0;
    return lead >= 0xF0 ? 2 : 1;
}
}  // namespace

int EditLength(const AnsiString& text) {
    int n = 0;
    for (const char c : text) n += UnitsOfByte(static_cast<unsigned char>(c));
    return n;
}

AnsiString EditPrefix(const AnsiString& text, int count) {
    int n = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        n += UnitsOfByte(static_cast<unsigned char>(text[i]));
        if (n > count) return text.substr(0, i);
    }
    return text;
}
}  // namespace Vedit
