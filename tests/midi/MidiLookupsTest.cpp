// The musical lookups: octaves, frequency texts, durations, number texts and
// instrument names; and the palette registration.
#include <gtest/gtest.h>

#include <cmath>

#include "components/Vmidi/Vmidi.h"

TEST(MidiLookups, OctavesAndFrequencyTexts) {
    TVMidi midi(nullptr);
    const struct {
        int note;
        int octave;
        const char* hz;
    } cases[] = {
        {0, 0, "8,175"},    {11, 0, "15,434"},  {12, 1, "16,351"},       {21, 1, "27,499"},
        {57, 4, "219,999"}, {60, 5, "261,625"}, {69, 5, "440,000"},      {119, 9, "7902,134"},
        {120, 10, "8372,019"}, {127, 10, "12543,855"}, {-1, 0, "8,175"}, {-30, 0, "8,175"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(midi.GetOctave(c.note), c.octave) << c.note;
        EXPECT_EQ(midi.GetHz(c.note), c.hz) << c.note;
    }
    // Above 127 there is no MIDI note: the octave stays the highest, no frequency.
    EXPECT_EQ(midi.GetOctave(200), 10);
    EXPECT_EQ(midi.GetHz(128), "");
}

TEST(MidiLookups, SecondsOfLengthCodes) {
    TVMidi midi(nullptr);
    EXPECT_EQ(midi.GetSekundenOfLength("P4", 2), 0.75L);
    EXPECT_EQ(midi.GetSekundenOfLength("T2", 2), 2.0L / 3.0L);
    EXPECT_EQ(midi.GetSekundenOfLength("1", 2), 2.0L);
    EXPECT_EQ(midi.GetSekundenOfLength("D32", 128), 7.0L);
    EXPECT_EQ(midi.GetSekundenOfLength("p4", 2), 0.0L);
    EXPECT_EQ(midi.GetSekundenOfLength("", 2), 0.0L);
}

TEST(MidiLookups, NumberTextsKeepThreeDecimals) {
    TVMidi midi(nullptr);
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {2.5L, "2.500"}, {0.25L, "0.250"}, {12.3456L, "12.345"}, {1000.0L, "1000.000"},
        // Below 0.1 and below zero the leading zero and all decimals stay.
        {0.05L, "0.050"}, {0.0L, "0.000"}, {0.0004L, "0.000"}, {-2.5L, "-2.500"}, {-0.25L, "-0.250"},
    };
    for (const auto& c : cases) EXPECT_EQ(midi.LongToStr(c.value), c.text) << static_cast<double>(c.value);
}

TEST(MidiLookups, InstrumentNames) {
    TVMidi midi(nullptr);
    EXPECT_EQ(midi.GetStringInstrument(79), "Ocarina");
    EXPECT_EQ(midi.GetStringInstrument(0), "Acoustic Grand Piano");
    EXPECT_EQ(midi.GetStringInstrument(11), "Vibraphon");
    EXPECT_EQ(midi.GetStringInstrument(80), "");
    EXPECT_EQ(midi.GetStringInstrument(-1), "");
    EXPECT_EQ(midi.GetHexInstrument("Ocarina"), 79);
    EXPECT_EQ(midi.GetHexInstrument("Akkordion"), 21);
    EXPECT_EQ(midi.GetHexInstrument("ocarina"), 0);
    EXPECT_EQ(midi.GetHexInstrument("Accordion"), 0);

    TStringList list{"kept"};
    midi.FillInstrumentList(&list);
    midi.FillInstrumentList(&list);
    ASSERT_EQ(list.Count(), 161);
    EXPECT_EQ(list[0], "kept");
    for (int program = 0; program < 80; ++program) {
        EXPECT_EQ(list[1 + program], midi.GetStringInstrument(program));
        EXPECT_EQ(list[81 + program], midi.GetStringInstrument(program));
        EXPECT_EQ(midi.GetHexInstrument(list[1 + program]), program);  // names are unique
    }
}

TEST(MidiLookups, RegisterPutsTheComponentOnThePalette) {
    Vmidi::Register();
    bool found = false;
    for (const TPaletteEntry& e : RegisteredComponents()) found |= e.page == "Varnell" && e.className == "TVMidi";
    EXPECT_TRUE(found);
}
