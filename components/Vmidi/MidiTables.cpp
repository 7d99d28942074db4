#include "components/Vmidi/MidiTables.h"

namespace Vmidi {
namespace {

constexpr std::array<LengthCode, 24> kLengthCodes{{
    {"1", 1, 1, 3072, 0x98, 0x00},
    {"2", 1, 2, 1536, 0x8C, 0x00},
    {"4", 1, 4, 768, 0x86, 0x00},
    {"8", 1, 8, 384, 0x83, 0x00},
    {"16", 1, 16, 192, 0x81, 0x40},
    {"32", 1, 32, 96, 0x60, -1},
    {"T1", 2, 3, 2048, 0x90, 0x00},
    {"T2", 1, 3, 1024, 0x88, 0x00},
    {"T4", 1, 6, 512, 0x84, 0x00},
    {"T8", 1, 12, 256, 0x82, 0x00},
    {"T16", 1, 24, 128, 0x81, 0x00},
    {"T32", 1, 48, 64, 0x40, -1},
    {"P1", 3, 2, 4608, 0xA4, 0x00},
    {"P2", 3, 4, 2304, 0x92, 0x00},
    {"P4", 3, 8, 1152, 0x89, 0x00},
    {"P8", 3, 16, 576, 0x84, 0x40},
    {"P16", 3, 32, 288, 0x82, 0x20},
    {"P32", 3, 64, 144, 0x81, 0x10},
    {"D1", 7, 4, 5376, 0xAA, 0x00},
    {"D2", 7, 8, 2688, 0x95, 0x00},
    {"D4", 7, 16, 1344, 0x8A, 0x40},
    {"D8", 7, 32, 672, 0x85, 0x20},
    {"D16", 7, 64, 336, 0x82, 0x50},
    {"D32", 7, 128, 168, 0x81, 0x28},
}};

// Every row must agree with itself: ticks are the fraction of 3072, and the
// delta bytes are the variable-length quantity of the ticks.
constexpr bool RowsAgree() {
    for (const LengthCode& c : kLengthCodes) {
        if (c.ticks * c.denominator != 3072 * c.numerator) return false;
        const int encoded = c.d2 < 0 ? c.d1 : ((c.d1 & 0x7F) << 7) | c.d2;
        if (encoded != c.ticks || (c.d2 < 0) != (c.ticks < 128) || (c.d2 >= 0 && (c.d1 & 0x80) == 0)) return false;
    }
    return true;
}
static_assert(RowsAgree(), "length code table is inconsistent");

constexpr std::array<OctaveFrequencies, kHighestOctave + 1> kOctaves{{
    {8.1758, 8.662},
    {16.3516, 17.3239},
    {32.7032, 34.6478},
    {65.4064, 69.2957},
    {130.8128, 138.5913},
    {261.6256, 277.1827},
    {523.2512, 554.3654},
    {1046.5025, 1108.7307},
    {2093.0049, 2217.4614},
    {4186.0098, 4434.9229},
    {8372.0196, 8869.8457},
}};

constexpr std::array<const char*, kInstrumentCount> kInstruments{
    "Acoustic Grand Piano", "Bright Acoustic Piano", "Electric Grand Piano", "Honky-Tonk Piano",
    "Electric Piano 1", "Electric Piano 2", "Harpsichord", "Clavichord",
    "Celesta", "Chime", "Music Box", "Vibraphon",
    "Marimba", "Xylophon", "Tubular Bells", "Dulcimer",
    "Drawbar Organ", "Percussive Organ", "Rock Organ", "Church Organ",
    "Reed Organ", "Akkordion", "Harmonica", "Tango Akkordion",
    "Acoustic Guitar (nylon)", "Acoustic Guitar (steel)", "Acoustic Guitar (Jazz)", "Acoustic Guitar (clean)",
    "Acoustic Guitar (muted)", "Overdriven Guitar", "Distortion", "Guitar Harmonics",
    "Acoustic Bass", "Electric Bass (finger)", "Electric Bass (pick)", "Fretless Bass",
    "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2",
    "Violin", "Viola", "Cello", "Contrabass",
    "Strings (tremolo)", "Strings (pizzicato)", "Orchestral Harp", "Timpani",
    "String Ensemble 1", "String Ensemble 2", "Synth Strings 1", "Synth Strings 2",
    "Choirs Aahs", "Voice Oohs", "Synth Voice", "Orchestra Hit",
    "Trumpet", "Trombone", "Tuba", "Trumpet (muted)",
    "French Horn", "Brass Section", "Synth Brass 1", "Synth Brass 2",
    "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax",
    "Oboe", "English Horn", "Bassoon", "Clarinet",
    "Piccolo", "Flute", "Recorder", "Pan Flute",
    "Blown Bottle", "Shakuhachi", "Whistle", "Ocarina",
};

}  // namespace

const LengthCode* FindLengthCode(std::string_view code) {
    for (const LengthCode& c : kLengthCodes)
        if (code == c.code) return &c;
    return nullptr;
}

std::span<const LengthCode> LengthCodes() { return kLengthCodes; }

const OctaveFrequencies& OctaveTable(int octave) { return kOctaves.at(static_cast<size_t>(octave)); }

std::span<const char* const> InstrumentNames() { return kInstruments; }

}  // namespace Vmidi
