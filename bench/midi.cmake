# TVMidi benchmark: writing 100,000 entries, against mido's save() of the
# same events (Debian python3-mido), measured in the same run.
add_executable(bench_midi midi_write.cpp)
target_compile_definitions(bench_midi PRIVATE
  MIDI_MIDO_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/midi_mido_save.py")
target_link_libraries(bench_midi PRIVATE vmidi vuvuviro_flags benchmark::benchmark)
