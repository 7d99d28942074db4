#include "components/Vmidi/MidiEvents.h"

#include <cctype>
#include <climits>

#include "components/Vmidi/Vmidi.h"
#include "platform/core/SysUtils.h"

namespace Vmidi {
namespace {

constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kNoteOff = 0x80;

[[noreturn]] void Fail(int index, const AnsiString& what) {
    throw EMidiEntryError(index >= 0 ? Format("MIDI entry %d: %s", index, what) : what);
}

// A data byte must stay below 0x80, or a reader takes it for a status byte.
std::uint8_t DataByte(int value, const char* what, std::string_view text, int index) {
    if (value < 0 || value > 127) Fail(index, Format("%s \"%s\" is outside 0 to 127", what, AnsiString(text)));
    return static_cast<std::uint8_t>(value);
}

}  // namespace

int LenientInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (value <= INT_MAX) value = value * 10 + (text[i] - '0');
    if (negative) value = -value;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

Entry ParseEntry(const AnsiString& notes, const AnsiString& lengthCode, const AnsiString& velocity, int index) {
    Entry entry{FindLengthCode(lengthCode), {}, 0};
    if (!entry.code) Fail(index, Format("\"%s\" is not a length code", lengthCode));
    // An empty chord or a trailing comma would make the counted notes differ
    // from the notes written.
    if (notes.empty()) Fail(index, "the chord has no notes");
    if (notes.back() == ',') Fail(index, Format("the chord \"%s\" ends in a comma", notes));
    ForEachNote(notes, [&](std::string_view note) {
        entry.notes.push_back(DataByte(LenientInt(note), "note", note, index));
    });
    entry.velocity = DataByte(LenientInt(velocity), "velocity", velocity, index);
    return entry;
}

int DeltaLength(const LengthCode* code) { return code && code->d2 < 0 ? 1 : 2; }

void AppendEntry(MidiBytes& out, const Entry& entry, bool exactLengths) {
    for (std::uint8_t note : entry.notes) out.insert(out.end(), {0x00, kNoteOn, note, entry.velocity});
    out.push_back(entry.code->d1);
    // A code without a second byte has a one-byte delta in both modes; a
    // 0x00 after it would be read as the next event's delta.
    if (entry.code->d2 >= 0) out.push_back(exactLengths ? static_cast<std::uint8_t>(entry.code->d2) : 0x00);
    bool first = true;
    for (std::uint8_t note : entry.notes) {
        if (!first) out.push_back(0x00);
        out.insert(out.end(), {kNoteOff, note, entry.velocity});
        first = false;
    }
}

}  // namespace Vmidi
