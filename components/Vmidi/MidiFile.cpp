#include "components/Vmidi/MidiFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/core/SysUtils.h"

namespace Vmidi {
namespace {

constexpr std::uint8_t kHeader[] = {
    'M', 'T', 'h', 'd', 0x00, 0x00, 0x00, 0x06,
    0x00, 0x01,  // format 1
    0x00, 0x03,  // three tracks
    0x03, 0x00,  // 768 ticks per quarter note
};
constexpr std::uint8_t kTempoTrack[] = {
    'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x13,
    0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,  // 4/4, 24 clocks per click, 8 32nds per quarter
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        // 500,000 microseconds per quarter note
    0x00, 0xFF, 0x2F, 0x00,
};
constexpr std::uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};
constexpr std::uint8_t kChannelTrack[] = {
    'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x09,
    0x00, 0xFF, 0x20, 0x01, 0x01,  // MIDI channel prefix 1
    0x00, 0xFF, 0x2F, 0x00,
};

// The note track's events start after its type and length field.
constexpr size_t kNoteEventsStart = sizeof kHeader + sizeof kTempoTrack + 8;

template <size_t N>
void Append(MidiBytes& out, const std::uint8_t (&bytes)[N]) {
    out.insert(out.end(), bytes, bytes + N);
}

AnsiString SystemError(int error) { return std::strerror(error); }

}  // namespace

MidiBytes BeginMidiFile(size_t reserveEventBytes) {
    MidiBytes file;
    file.reserve(kNoteEventsStart + reserveEventBytes + sizeof kEndOfTrack + sizeof kChannelTrack);
    Append(file, kHeader);
    Append(file, kTempoTrack);
    file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
    return file;
}

void FinishMidiFile(MidiBytes& file) {
    Append(file, kEndOfTrack);
    const std::uint32_t length = static_cast<std::uint32_t>(file.size() - kNoteEventsStart);
    for (int i = 0; i < 4; ++i) file[kNoteEventsStart - 4 + i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    Append(file, kChannelTrack);
}

void WriteWholeFile(const AnsiString& fileName, const MidiBytes& bytes) {
    std::FILE* f = std::fopen(fileName.c_str(), "wb");
    if (!f) throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName, SystemError(errno)));
    struct stat info {};
    const bool regular = fstat(fileno(f), &info) == 0 && S_ISREG(info.st_mode);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(f) == 0;
    if (written && closed) return;
    const int error = written ? errno : writeError;
    // The truncated, half-written regular file goes; a device or pipe the
    // caller named stays.
    if (regular) std::remove(fileName.c_str());
    throw EWriteError(Format("Cannot write file \"%s\". %s", fileName, SystemError(error)));
}

void WriteToStream(std::FILE* stream, const MidiBytes& bytes) {
    if (!stream) throw EWriteError("No open stream to write MIDI events to");
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size())
        throw EWriteError(Format("Cannot write MIDI events. %s", SystemError(errno)));
}

}  // namespace Vmidi
