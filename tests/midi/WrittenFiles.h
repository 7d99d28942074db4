#pragma once
// Test fixture for TVMidi: starts every test with empty entries, remembers
// the texts it adds, and writes files into the folder that the mido check
// reads, each with a sidecar holding the entries' texts, so that the check
// can work out on its own what a reader must find.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/Vmidi/Vmidi.h"

using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const std::string& path);

class MidiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Add(const std::string& notes, const std::string& code, const std::string& velocity);
    void Delete(int index);
    void Clear();
    // Writes the entries to <written folder>/<test name><suffix>.mid and
    // returns the file's bytes.
    Bytes WriteChecked(const std::string& suffix = "");
    // A path outside the checked folder, for files the check must not read.
    std::string ScratchPath(const std::string& name) const;

    TVMidi midi{nullptr};

private:
    struct EntryText {
        std::string notes, code, velocity;
    };
    std::vector<EntryText> added_;
};

// The note track's events between its length field and its end of track,
// after checking the file's frame and that the length field equals the bytes
// that follow it.
Bytes NoteTrackEvents(const Bytes& file);
