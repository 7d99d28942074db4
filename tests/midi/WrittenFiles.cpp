#include "tests/midi/WrittenFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}

std::string JsonText(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void MidiTest::SetUp() {
    midi.ClearNotes();
    fs::create_directories(VMIDI_WRITTEN_DIR);
    fs::create_directories(VMIDI_SCRATCH_DIR);
}

void MidiTest::TearDown() { midi.ClearNotes(); }

void MidiTest::Add(const std::string& notes, const std::string& code, const std::string& velocity) {
    midi.AddNote(notes, code, velocity);
    added_.push_back({notes, code, velocity});
}

void MidiTest::Delete(int index) {
    midi.DeleteNote(index);
    added_.erase(added_.begin() + index);
}

void MidiTest::Clear() {
    midi.ClearNotes();
    added_.clear();
}

Bytes MidiTest::WriteChecked(const std::string& suffix) {
    const std::string base = std::string(VMIDI_WRITTEN_DIR) + "/" + TestName() + suffix;
    midi.WriteMidiFile(base + ".mid");
    std::ofstream sidecar(base + ".json");
    sidecar << "{\"exact\": " << (midi.ExactLengths ? "true" : "false") << ", \"entries\": [";
    for (size_t i = 0; i < added_.size(); ++i)
        sidecar << (i ? ", " : "") << "[" << JsonText(added_[i].notes) << ", " << JsonText(added_[i].code) << ", "
                << JsonText(added_[i].velocity) << "]";
    sidecar << "]}\n";
    return ReadBytes(base + ".mid");
}

std::string MidiTest::ScratchPath(const std::string& name) const {
    return std::string(VMIDI_SCRATCH_DIR) + "/" + TestName() + "." + name;
}

Bytes NoteTrackEvents(const Bytes& file) {
    constexpr size_t kTrack2 = 41;
    constexpr size_t kTrack3Size = 17;
    EXPECT_GE(file.size(), kTrack2 + 8 + 4 + kTrack3Size);
    if (file.size() < kTrack2 + 8 + 4 + kTrack3Size) return {};
    EXPECT_EQ(Bytes(file.begin() + kTrack2, file.begin() + kTrack2 + 4), (Bytes{'M', 'T', 'r', 'k'}));
    const size_t length = (size_t(file[45]) << 24) | (size_t(file[46]) << 16) | (size_t(file[47]) << 8) | file[48];
    EXPECT_EQ(length, file.size() - kTrack2 - 8 - kTrack3Size) << "length field differs from the bytes that follow";
    const auto end = file.end() - kTrack3Size;
    EXPECT_EQ(Bytes(end - 4, end), (Bytes{0x00, 0xFF, 0x2F, 0x00}));
    return Bytes(file.begin() + kTrack2 + 8, end - 4);
}
