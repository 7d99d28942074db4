#!/usr/bin/python3
"""Peer measurement for bench_midi: loads a MIDI file with mido (untimed),
then times mido's save() of the same events, best of a few runs.
Prints "mido_save_seconds <seconds> events <count>"."""
import sys
import time

import mido

source, target, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
midi = mido.MidiFile(source)
events = sum(len(track) for track in midi.tracks)
best = float("inf")
for _ in range(runs):
    start = time.perf_counter()
    midi.save(target)
    best = min(best, time.perf_counter() - start)
print(f"mido_save_seconds {best:.6f} events {events}")
