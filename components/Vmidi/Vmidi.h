#pragma once
// TVMidi: collects note entries (a chord, a length code, a velocity) and
// writes them as a Standard MIDI File of format 1 with three tracks at 768
// ticks per quarter note; plus small musical lookups.
//
// The entries live in three unit-wide string lists shared by every TVMidi
// instance; they outlive the instances.
#include <cstdio>

#include "platform/core/Classes.h"
#include "platform/core/System.h"

// An entry that cannot be written as sound MIDI data: a text that is not a
// length code, a note or velocity outside 0 to 127, a chord without notes or
// ending in a comma. Raised by WriteMidiFile before the file is touched.
VUVUVIRO_EXCEPTION(EMidiEntryError, Exception);

class TVMidi : public TComponent {
public:
    explicit TVMidi(TComponent* owner);

    // On: each entry's delta time is written exactly as its length code's
    // bytes. Off: the second delta byte is written as 0x00, shortening the
    // length to a multiple of 128 ticks.
    bool ExactLengths = false;

    // Stored unchanged and unchecked; errors surface when the file is written.
    void AddNote(const AnsiString& notes, const AnsiString& lengthCode, const AnsiString& velocity);
    // Raises EStringListError for an index outside the entries.
    void DeleteNote(int index);
    void ClearNotes();

    // Builds the whole file in memory, then creates (or truncates) the file
    // and writes it at once. An entry that cannot be written raises before
    // the file is touched: EConvertError for a velocity that is not an
    // integer, EMidiEntryError otherwise, both naming the entry's index.
    // EFCreateError when the file cannot be created, EWriteError when the
    // write does not complete (a regular file is then removed).
    void WriteMidiFile(const AnsiString& fileName);
    // Byte length of the note track's events including the end of track,
    // as WriteMidiFile writes it into the track header.
    int CountBytes() const;

    // Clears `list` and fills it with the note texts of a chord text.
    void ExtractNotes(const AnsiString& text, TStringList* list) const;
    // Writes the events of one entry to `stream`; EMidiEntryError for an
    // entry that cannot be written, EWriteError without a stream.
    void NoteOnEvent(std::FILE* stream, const AnsiString& lengthCode, const AnsiString& notes,
                     const AnsiString& velocity) const;

    // 0 below 12, one more for each further 12; 10 for 120 and above.
    int GetOctave(int note) const;
    // Frequency as text with a comma and three decimals ("440,000"); an
    // empty text above 127, which is no MIDI note.
    AnsiString GetHz(int note) const;
    // Seconds of a length code given the seconds of a whole note; 0 for a
    // text that is not a length code.
    long double GetSekundenOfLength(const AnsiString& lengthCode, long double wholeNoteSeconds) const;
    // Value truncated to three decimals after a point ("2.500", "0.050").
    AnsiString LongToStr(long double value) const;

    // Appends the 80 instrument names in program order.
    void FillInstrumentList(TStrings* list) const;
    // Program number of an exact, case-sensitive name; 0 when not found.
    int GetHexInstrument(const AnsiString& name) const;
    // Name of a program number; empty outside 0 to 79.
    AnsiString GetStringInstrument(int program) const;
};

namespace Vmidi {
void Register();
}
