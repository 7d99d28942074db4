#pragma once
// The Standard MIDI File around the note track's events, and writing it to
// disk in one go. Internal to Vmidi.
#include "components/Vmidi/MidiEvents.h"

namespace Vmidi {

// The file is built in one buffer: BeginMidiFile gives the header, the tempo
// and time-signature track and the note track's chunk header; the caller
// appends the note events; FinishMidiFile ends the note track, sets its
// length field to the bytes written after it and adds the channel track.
MidiBytes BeginMidiFile(size_t reserveEventBytes);
void FinishMidiFile(MidiBytes& file);

// Creates or truncates the file and writes `bytes`. EFCreateError naming
// the path when it cannot be created; EWriteError when the write does not
// complete, after removing the half-written file if it is a regular file.
void WriteWholeFile(const AnsiString& fileName, const MidiBytes& bytes);

// Writes `bytes` to an open stream; EWriteError without a stream or on a
// short write.
void WriteToStream(std::FILE* stream, const MidiBytes& bytes);

}  // namespace Vmidi
