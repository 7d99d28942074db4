#include "components/Vmidi/Vmidi.h"

#include <algorithm>
#include <cmath>

#include "components/Vmidi/MidiEvents.h"
#include "components/Vmidi/MidiFile.h"
#include "components/Vmidi/MidiTables.h"
#include "platform/core/SysUtils.h"

namespace {

// The unit's three parallel lists: line i of each is entry i.
struct NoteLists {
    TStringList notes;
    TStringList lengths;
    TStringList velocities;
};

NoteLists& Lists() {
    static NoteLists lists;
    return lists;
}

// "1234" -> integer part "1", fraction "234"; at least one integer digit.
AnsiString SplitThousandths(AnsiString digits, char separator) {
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits.substr(0, digits.size() - 3) + separator + digits.substr(digits.size() - 3);
}

}  // namespace

TVMidi::TVMidi(TComponent* owner) : TComponent(owner) {}

void TVMidi::AddNote(const AnsiString& notes, const AnsiString& lengthCode, const AnsiString& velocity) {
    NoteLists& l = Lists();
    l.notes.Add(notes);
    l.lengths.Add(lengthCode);
    l.velocities.Add(velocity);
}

void TVMidi::DeleteNote(int index) {
    NoteLists& l = Lists();
    // The first Delete raises for a bad index before any list has changed.
    l.notes.Delete(index);
    l.lengths.Delete(index);
    l.velocities.Delete(index);
}

void TVMidi::ClearNotes() {
    NoteLists& l = Lists();
    l.notes.Clear();
    l.lengths.Clear();
    l.velocities.Clear();
}

void TVMidi::WriteMidiFile(const AnsiString& fileName) {
    const NoteLists& l = Lists();
    Vmidi::MidiBytes file = Vmidi::BeginMidiFile(static_cast<size_t>(l.notes.Count()) * 20);
    for (int i = 0; i < l.notes.Count(); ++i) {
        AnsiString velocity;
        try {
            velocity = IntToStr(StrToInt(l.velocities[i]));
        } catch (const EConvertError& e) {
            throw EConvertError(Format("MIDI entry %d: %s", i, e.Message()));
        }
        Vmidi::AppendEntry(file, Vmidi::ParseEntry(l.notes[i], l.lengths[i], velocity, i), ExactLengths);
    }
    Vmidi::FinishMidiFile(file);
    Vmidi::WriteWholeFile(fileName, file);
}

int TVMidi::CountBytes() const {
    const NoteLists& l = Lists();
    int total = 4;  // end of track
    for (int i = 0; i < l.notes.Count(); ++i) {
        const AnsiString notes = l.notes[i];
        const int chord = static_cast<int>(std::count(notes.begin(), notes.end(), ',')) + 1;
        // Note-ons 4 bytes each, note-offs 4 bytes each except the first (3),
        // plus the delta.
        total += 8 * chord - 1 + Vmidi::DeltaLength(Vmidi::FindLengthCode(l.lengths[i]));
    }
    return total;
}

void TVMidi::ExtractNotes(const AnsiString& text, TStringList* list) const {
    if (!list) throw EInvalidOperation("ExtractNotes needs a list");
    list->Clear();
    Vmidi::ForEachNote(text, [&](std::string_view note) { list->Add(AnsiString(note)); });
}

void TVMidi::NoteOnEvent(std::FILE* stream, const AnsiString& lengthCode, const AnsiString& notes,
                         const AnsiString& velocity) const {
    Vmidi::MidiBytes events;
    Vmidi::AppendEntry(events, Vmidi::ParseEntry(notes, lengthCode, velocity, -1), ExactLengths);
    Vmidi::WriteToStream(stream, events);
}

int TVMidi::GetOctave(int note) const { return std::clamp(note / 12, 0, Vmidi::kHighestOctave); }

AnsiString TVMidi::GetHz(int note) const {
    if (note > 127) return {};
    const int octave = GetOctave(note);
    const Vmidi::OctaveFrequencies& f = Vmidi::OctaveTable(octave);
    // Each octave derives its semitone ratio from its own two constants, and
    // the steps are taken by repeated multiplication: the texts depend on it.
    const double ratio = f.second / f.lowest;
    double hz = f.lowest;
    for (int step = 0; step < note % 12; ++step) hz *= ratio;  // a negative note takes no step
    return SplitThousandths(IntToStr(static_cast<std::int64_t>(hz * 1000.0)), ',');
}

long double TVMidi::GetSekundenOfLength(const AnsiString& lengthCode, long double wholeNoteSeconds) const {
    const Vmidi::LengthCode* code = Vmidi::FindLengthCode(lengthCode);
    if (!code) return 0;
    return wholeNoteSeconds * code->numerator / code->denominator;
}

AnsiString TVMidi::LongToStr(long double value) const {
    const long double thousandths = std::trunc(value * 1000.0L);
    if (!std::isfinite(thousandths)) return Format("%Lf", value);
    // The sign is kept apart so that small and negative values keep their
    // leading zero and all three decimals ("0.050", "-0.250").
    const AnsiString digits = Format("%.0Lf", std::fabs(thousandths));
    return (thousandths < 0 ? "-" : "") + SplitThousandths(digits, '.');
}

void TVMidi::FillInstrumentList(TStrings* list) const {
    if (!list) throw EInvalidOperation("FillInstrumentList needs a list");
    for (const char* name : Vmidi::InstrumentNames()) list->Add(name);
}

int TVMidi::GetHexInstrument(const AnsiString& name) const {
    const auto names = Vmidi::InstrumentNames();
    const auto found = std::find_if(names.begin(), names.end(), [&](const char* n) { return name == n; });
    return found == names.end() ? 0 : static_cast<int>(found - names.begin());
}

AnsiString TVMidi::GetStringInstrument(int program) const {
    if (program < 0 || program >= Vmidi::kInstrumentCount) return {};
    return Vmidi::InstrumentNames()[static_cast<size_t>(program)];
}

namespace Vmidi {
void Register() { RegisterComponents("Varnell", {"TVMidi"}); }
}  // namespace Vmidi
