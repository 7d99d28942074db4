#pragma once
// One entry's texts checked and turned into MIDI events. Internal to Vmidi.
#include <cstdint>
#include <string_view>
#include <vector>

#include "components/Vmidi/MidiTables.h"
#include "platform/core/System.h"

namespace Vmidi {

using MidiBytes = std::vector<std::uint8_t>;

struct Entry {
    const LengthCode* code;
    std::vector<std::uint8_t> notes;
    std::uint8_t velocity;
};

// Lenient decimal reading: leading white space, an optional sign, digits up
// to the first other character; 0 without digits. Saturates at the int range.
int LenientInt(std::string_view text);

// Calls `note` for each note text of a chord, split at its commas; a
// trailing comma adds no empty note.
template <typename NoteFn>
void ForEachNote(std::string_view chord, NoteFn note) {
    size_t start = 0;
    for (size_t comma; (comma = chord.find(',', start)) != std::string_view::npos; start = comma + 1)
        note(chord.substr(start, comma - start));
    if (start < chord.size()) note(chord.substr(start));
}

// Checks one entry's texts. Raises EMidiEntryError, its message prefixed
// with "MIDI entry <index>: " when index >= 0.
Entry ParseEntry(const AnsiString& notes, const AnsiString& lengthCode, const AnsiString& velocity, int index);

// Bytes of the delta time written for a code: 1 for codes without a second
// byte, 2 otherwise (also for a text that is not a length code).
int DeltaLength(const LengthCode* code);

// Note-ons at delta 0, the length's delta, the note-offs; every event with
// its status byte on channel 1.
void AppendEntry(MidiBytes& out, const Entry& entry, bool exactLengths);

}  // namespace Vmidi
