// The bytes TVMidi writes: the file frame, one entry's events in each mode,
// the note track's length and the shared entry lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/midi/WrittenFiles.h"

namespace {

const Bytes kHeaderAndTrack1 = {
    0x4D, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00, 0x01, 0x00, 0x03, 0x03, 0x00,
    0x4D, 0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x13,
    0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
    0x00, 0xFF, 0x2F, 0x00,
};
const Bytes kTrack3 = {
    0x4D, 0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x09, 0x00, 0xFF, 0x20, 0x01, 0x01, 0x00, 0xFF, 0x2F, 0x00,
};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Notes 60,64,67 at velocity 100 around the given delta bytes.
Bytes TriadEvents(const Bytes& delta) {
    return Concat({{0x00, 0x90, 0x3C, 0x64, 0x00, 0x90, 0x40, 0x64, 0x00, 0x90, 0x43, 0x64}, delta,
                   {0x80, 0x3C, 0x64, 0x00, 0x80, 0x40, 0x64, 0x00, 0x80, 0x43, 0x64}});
}

}  // namespace

TEST_F(MidiTest, EmptyFileIsTheWholeFrameOfSeventyBytes) {
    const Bytes file = WriteChecked();
    EXPECT_EQ(file.size(), 70u);
    EXPECT_EQ(file, Concat({kHeaderAndTrack1, {0x4D, 0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x04, 0x00, 0xFF, 0x2F, 0x00},
                            kTrack3}));
    EXPECT_EQ(midi.CountBytes(), 4);
}

struct OneEntryCase {
    const char* name;
    const char* notes;
    const char* code;
    bool exact;
    Bytes events;
};

// Shown by name in test listings.
void PrintTo(const OneEntryCase& c, std::ostream* os) { *os << c.name; }

class OneEntry : public MidiTest, public ::testing::WithParamInterface<OneEntryCase> {};

TEST_P(OneEntry, WritesTheEventsAndFramesThem) {
    const OneEntryCase& c = GetParam();
    midi.ExactLengths = c.exact;
    Add(c.notes, c.code, "100");
    const Bytes file = WriteChecked();
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 41), kHeaderAndTrack1);
    EXPECT_EQ(Bytes(file.end() - 17, file.end()), kTrack3);
    EXPECT_EQ(NoteTrackEvents(file), c.events);
    EXPECT_EQ(midi.CountBytes(), static_cast<int>(c.events.size() + 4));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, OneEntry,
    ::testing::Values(
        OneEntryCase{"QuarterExact", "60,64,67", "4", true, TriadEvents({0x86, 0x00})},
        OneEntryCase{"ThirtySecondExactHasOneDeltaByte", "60,64,67", "32", true, TriadEvents({0x60})},
        OneEntryCase{"SixteenthShortenedTo128Ticks", "60,64,67", "16", false, TriadEvents({0x81, 0x00})},
        OneEntryCase{"SixteenthExact", "60,64,67", "16", true, TriadEvents({0x81, 0x40})},
        OneEntryCase{"DoubleDottedQuarterShortened", "60,64,67", "D4", false, TriadEvents({0x8A, 0x00})},
        // Without a second delta byte the code keeps its single byte in both modes.
        OneEntryCase{"ThirtySecondNotExactStillOneByte", "60,64,67", "32", false, TriadEvents({0x60})},
        OneEntryCase{"TripletThirtySecondSingleNote", "60", "T32", false, {0x00, 0x90, 0x3C, 0x64, 0x40, 0x80, 0x3C, 0x64}},
        OneEntryCase{"ChordStartingWithCommaPlaysNoteZero", ",60", "8", true,
                     {0x00, 0x90, 0x00, 0x64, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x00, 0x80, 0x00, 0x64, 0x00, 0x80, 0x3C, 0x64}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every code in both modes, chords of one to three notes, all in one track:
// the length field equals the bytes written, and CountBytes equals it too.
// Where the entries are sound in the original formula (all but the
// one-byte codes with ExactLengths off) it is that formula.
TEST_F(MidiTest, CountBytesMatchesTheWrittenTrackForEveryCode) {
    const char* codes[] = {"1",  "2",  "4",   "8",   "16",  "32",  "T1",  "T2",  "T4",  "T8",  "T16", "T32",
                           "P1", "P2", "P4",  "P8",  "P16", "P32", "D1",  "D2",  "D4",  "D8",  "D16", "D32"};
    const char* chords[] = {"72", "60,67", "48,55,64"};
    for (bool exact : {true, false}) {
        Clear();
        midi.ExactLengths = exact;
        int notes = 0, entries = 0, oneByteDeltas = 0;
        int i = 0;
        for (const std::string code : codes) {
            const std::string chord = chords[i++ % 3];
            Add(chord, code, "90");
            notes += 1 + static_cast<int>(std::count(chord.begin(), chord.end(), ','));
            ++entries;
            oneByteDeltas += code == "32" || code == "T32";
        }
        const Bytes events = NoteTrackEvents(WriteChecked(exact ? "exact" : "plain"));
        EXPECT_EQ(midi.CountBytes(), static_cast<int>(events.size() + 4)) << "exact " << exact;
        EXPECT_EQ(midi.CountBytes(), 8 * notes + entries + 4 - oneByteDeltas) << "exact " << exact;
    }
}

TEST_F(MidiTest, EntriesFollowEachOtherAndWritingLeavesThemInPlace) {
    midi.ExactLengths = true;
    Add("60,64,67", "4", "100");
    Add("62", "P8", "$40");  // the velocity is read by the strict conversion, hexadecimal included
    Add("64,67", "T2", " 127");
    const Bytes first = WriteChecked();
    const Bytes events = NoteTrackEvents(first);
    const Bytes second = Concat({TriadEvents({0x86, 0x00}), {0x00, 0x90, 0x3E, 0x40, 0x84, 0x40, 0x80, 0x3E, 0x40},
                                 {0x00, 0x90, 0x40, 0x7F, 0x00, 0x90, 0x43, 0x7F, 0x88, 0x00, 0x80, 0x40, 0x7F, 0x00,
                                  0x80, 0x43, 0x7F}});
    EXPECT_EQ(events, second);
    EXPECT_EQ(WriteChecked("again"), first);
}

TEST_F(MidiTest, InstancesShareTheEntries) {
    auto other = std::make_unique<TVMidi>(nullptr);
    Add("60", "4", "100");
    EXPECT_EQ(other->CountBytes(), 13);
    other->AddNote("62", "4", "100");
    midi.DeleteNote(1);
    other.reset();  // destroying an instance leaves the entries
    EXPECT_EQ(midi.CountBytes(), 13);
    TVMidi third(nullptr);
    third.ClearNotes();
    EXPECT_EQ(midi.CountBytes(), 4);
}

TEST_F(MidiTest, DeleteNoteRemovesOneEntryFromAllLists) {
    Add("60", "4", "10");
    Add("62,65", "8", "20");
    Add("64", "2", "30");
    Delete(1);
    const Bytes events = NoteTrackEvents(WriteChecked());
    EXPECT_EQ(events, (Bytes{0x00, 0x90, 0x3C, 0x0A, 0x86, 0x00, 0x80, 0x3C, 0x0A,
                             0x00, 0x90, 0x40, 0x1E, 0x8C, 0x00, 0x80, 0x40, 0x1E}));
    try {
        midi.DeleteNote(2);
        FAIL() << "no error for index 2 of two entries";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(midi.DeleteNote(-1), EStringListError);
    EXPECT_EQ(midi.CountBytes(), 22);  // both entries still there
}

TEST_F(MidiTest, ExtractNotesSplitsAtCommas) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"60,64", {"60", "64"}},    {"60", {"60"}},   {",60", {"", "60"}}, {"60,", {"60"}},
        {"60,,64", {"60", "", "64"}}, {"", {}},         {",", {""}},         {" 60 ,x", {" 60 ", "x"}},
    };
    TStringList list{"stale"};
    for (const auto& c : cases) {
        midi.ExtractNotes(c.text, &list);
        std::vector<std::string> got;
        for (int i = 0; i < list.Count(); ++i) got.push_back(list[i]);
        EXPECT_EQ(got, c.lines) << '"' << c.text << '"';
    }
}
