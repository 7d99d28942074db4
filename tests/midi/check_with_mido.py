#!/usr/bin/python3
"""Reads every MIDI file the midi tests wrote with mido, an independent
reader, and checks it against the entry texts in its .json sidecar: format 1,
three tracks, 768 ticks per beat, the tempo track, and for each entry its
notes, velocity and absolute note-on and note-off tick times."""
import glob
import json
import os
import re
import sys

import mido

# Ticks of each length code at 768 ticks per quarter note.
TICKS = {
    "1": 3072, "2": 1536, "4": 768, "8": 384, "16": 192, "32": 96,
    "T1": 2048, "T2": 1024, "T4": 512, "T8": 256, "T16": 128, "T32": 64,
    "P1": 4608, "P2": 2304, "P4": 1152, "P8": 576, "P16": 288, "P32": 144,
    "D1": 5376, "D2": 2688, "D4": 1344, "D8": 672, "D16": 336, "D32": 168,
}


def lenient_int(text):
    m = re.match(r"\s*([+-]?\d+)", text)
    return int(m.group(1)) if m else 0


def strict_int(text):
    text = text.lstrip(" ")
    sign = -1 if text.startswith("-") else 1
    text = text.lstrip("+-")
    if text.startswith("$"):
        return sign * int(text[1:], 16)
    return sign * int(text, 0 if text.lower().startswith("0x") else 10)


def length_ticks(code, exact):
    ticks = TICKS[code]
    # Without exact lengths the low seven bits of a two-byte delta are dropped.
    return ticks if exact or ticks < 128 else ticks - ticks % 128


def expected_events(spec):
    events, now = [], 0
    for notes, code, velocity in spec["entries"]:
        chord = [lenient_int(n) for n in notes.split(",")]
        v = strict_int(velocity)
        end = now + length_ticks(code, spec["exact"])
        events += [("note_on", n, v, now) for n in chord]
        events += [("note_off", n, v, end) for n in chord]
        now = end
    return events, now


def absolute(track):
    now, out = 0, []
    for msg in track:
        now += msg.time
        out.append((msg, now))
    return out


def check(path):
    with open(os.path.splitext(path)[0] + ".json") as f:
        spec = json.load(f)
    mid = mido.MidiFile(path)
    problems = []
    if mid.type != 1 or len(mid.tracks) != 3 or mid.ticks_per_beat != 768:
        problems.append(f"type {mid.type}, {len(mid.tracks)} tracks, {mid.ticks_per_beat} ticks per beat")
        return problems
    tempo = [(m.type, m.time) for m in mid.tracks[0]]
    if tempo != [("time_signature", 0), ("set_tempo", 0), ("end_of_track", 0)] or mid.tracks[0][1].tempo != 500000:
        problems.append(f"tempo track {mid.tracks[0]}")
    sig = mid.tracks[0][0]
    if (sig.numerator, sig.denominator, sig.clocks_per_click, sig.notated_32nd_notes_per_beat) != (4, 4, 24, 8):
        problems.append(f"time signature {sig}")
    prefix = list(mid.tracks[2])
    if [m.type for m in prefix] != ["channel_prefix", "end_of_track"] or prefix[0].channel != 1:
        problems.append(f"third track {prefix}")
    want, end = expected_events(spec)
    notes = absolute(mid.tracks[1])
    got = [(m.type, m.note, m.velocity, t) for m, t in notes if m.type in ("note_on", "note_off")]
    others = [(m.type, t) for m, t in notes if m.type not in ("note_on", "note_off")]
    if any(m.channel != 0 for m, _ in notes if m.type in ("note_on", "note_off")):
        problems.append("a note event not on channel 1")
    if got != want:
        problems.append(f"note events {got} != expected {want}")
    if others != [("end_of_track", end)]:
        problems.append(f"note track ends with {others}, expected end of track at {end}")
    return problems


def main(folder):
    files = sorted(glob.glob(os.path.join(folder, "*.mid")))
    if not files:
        print(f"no MIDI files in {folder}")
        return 1
    failed = 0
    for path in files:
        try:
            problems = check(path)
        except Exception as e:  # a reader error is the finding itself
            problems = [f"{type(e).__name__}: {e}"]
        for p in problems:
            print(f"{os.path.basename(path)}: {p}")
        failed += bool(problems)
    print(f"{len(files) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
