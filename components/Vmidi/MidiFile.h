#pragma once
// The Standard MIDI File around the note track's events, and writing it to
// disk in one go. Internal to Vmidi.
#include "components/Vmidi/MidiEvents.h"

namespace Vmidi {

// Header, the tempo and time-signature track, the note track holding
// `noteEvents` plus its end of track, and the channel-prefix track. The note
// track's length field is the size of the bytes that follow it.
MidiBytes BuildMidiFile(const MidiBytes& noteEvents);

// Creates or truncates the file and writes `bytes`. EFCreateError naming
// the path when it cannot be created; EWriteError when the write does not
// complete, after removing the half-written file if it is a regular file.
void WriteWholeFile(const AnsiString& fileName, const MidiBytes& bytes);

// Writes `bytes` to an open stream; EWriteError without a stream or on a
// short write.
void WriteToStream(std::FILE* stream, const MidiBytes& bytes);

}  // namespace Vmidi
