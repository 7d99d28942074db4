// Entries and files that cannot be written: the error comes before the file
// is touched, names the entry or the path, and leaves no half file.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/midi/WrittenFiles.h"

namespace fs = std::filesystem;

namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

template <typename Error>
std::string MessageOf(TVMidi& midi, const std::string& path) {
    try {
        midi.WriteMidiFile(path);
    } catch (const Error& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return std::string("wrong exception type: ") + e.what();
    }
    return "no error";
}

}  // namespace

struct BadEntryCase {
    const char* name;
    const char* notes;
    const char* code;
    const char* velocity;
    bool conversionError;  // the strict velocity conversion's own error type
    const char* message;
};

// Shown by name in test listings.
void PrintTo(const BadEntryCase& c, std::ostream* os) { *os << c.name; }

class BadEntry : public MidiTest, public ::testing::WithParamInterface<BadEntryCase> {};

TEST_P(BadEntry, RaisesNamingTheEntryAndLeavesTheFileAlone) {
    const BadEntryCase& c = GetParam();
    const std::string path = ScratchPath("mid");
    WriteText(path, "previous contents");
    midi.AddNote("60", "4", "100");
    midi.AddNote(c.notes, c.code, c.velocity);
    const std::string message =
        c.conversionError ? MessageOf<EConvertError>(midi, path) : MessageOf<EMidiEntryError>(midi, path);
    EXPECT_EQ(message, c.message);
    const Bytes after = ReadBytes(path);
    EXPECT_EQ(std::string(after.begin(), after.end()), "previous contents");
}

INSTANTIATE_TEST_SUITE_P(
    Mends, BadEntry,
    ::testing::Values(
        BadEntryCase{"UnknownCode", "60", "3", "100", false, "MIDI entry 1: \"3\" is not a length code"},
        BadEntryCase{"CodesAreCaseSensitive", "60", "t4", "100", false, "MIDI entry 1: \"t4\" is not a length code"},
        BadEntryCase{"NoteAbove127", "60,128", "4", "100", false, "MIDI entry 1: note \"128\" is outside 0 to 127"},
        BadEntryCase{"NegativeNote", "-1", "4", "100", false, "MIDI entry 1: note \"-1\" is outside 0 to 127"},
        BadEntryCase{"NoteThatWouldWrap", "316", "4", "100", false, "MIDI entry 1: note \"316\" is outside 0 to 127"},
        BadEntryCase{"VelocityAbove127", "60", "4", "128", false, "MIDI entry 1: velocity \"128\" is outside 0 to 127"},
        BadEntryCase{"NegativeVelocity", "60", "4", "-1", false, "MIDI entry 1: velocity \"-1\" is outside 0 to 127"},
        BadEntryCase{"EmptyChord", "", "4", "100", false, "MIDI entry 1: the chord has no notes"},
        BadEntryCase{"TrailingComma", "60,64,", "4", "100", false, "MIDI entry 1: the chord \"60,64,\" ends in a comma"},
        BadEntryCase{"VelocityNotAnInteger", "60", "4", "loud", true, "MIDI entry 1: 'loud' is not a valid integer value"},
        BadEntryCase{"VelocityWithTrailingText", "60", "4", "100x", true,
                     "MIDI entry 1: '100x' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MidiTest, FileThatCannotBeCreatedRaisesNamingThePath) {
    Add("60", "4", "100");
    const std::string path = ScratchPath("missing-folder") + "/song.mid";
    const std::string message = MessageOf<EFCreateError>(midi, path);
    EXPECT_NE(message.find("Cannot create file \"" + path + "\""), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(path));
    // A folder in place of the file.
    fs::create_directories(ScratchPath("folder"));
    EXPECT_NE(MessageOf<EFCreateError>(midi, ScratchPath("folder")).find(ScratchPath("folder")), std::string::npos);
}

TEST_F(MidiTest, WriteThatDoesNotCompleteRaisesAndLeavesADeviceInPlace) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    Add("60", "4", "100");
    EXPECT_NE(MessageOf<EWriteError>(midi, "/dev/full").find("Cannot write file \"/dev/full\""), std::string::npos);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// A file size limit makes the write stop part way, as a full disk would.
TEST_F(MidiTest, WriteThatStopsPartWayLeavesNoHalfFile) {
    for (int i = 0; i < 40; ++i) Add("60,64,67", "4", "100");
    const std::string path = ScratchPath("mid");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 200;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string message = MessageOf<EWriteError>(midi, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_NE(message.find("Cannot write file \"" + path + "\""), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(MidiTest, NoteOnEventWritesOneEntryToAStream) {
    midi.ExactLengths = true;
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    midi.NoteOnEvent(stream, "P16", "60,64", "7");
    EXPECT_THROW(midi.NoteOnEvent(stream, "P16", "60,200", "7"), EMidiEntryError);
    std::rewind(stream);
    Bytes got(32);
    got.resize(std::fread(got.data(), 1, got.size(), stream));
    std::fclose(stream);
    EXPECT_EQ(got, (Bytes{0x00, 0x90, 0x3C, 0x07, 0x00, 0x90, 0x40, 0x07, 0x82, 0x20, 0x80, 0x3C, 0x07, 0x00, 0x80,
                          0x40, 0x07}));
    // Nothing is written through a missing stream.
    EXPECT_THROW(midi.NoteOnEvent(nullptr, "4", "60", "100"), EWriteError);
}
