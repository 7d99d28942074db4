# Desktop benchmark of the real binary under Xvfb (peak RSS, exec to the
# bar's first frame, idle wakeups), against a bare Qt window measured in the
# same run: `cmake --build build --target bench_desktop`, or by hand
# `bench/desktop_bench.py BINARY --peer build/bench/bench_desktop_peer`.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_desktop_peer ${CMAKE_CURRENT_LIST_DIR}/desktop_peer.cpp)
target_link_libraries(bench_desktop_peer PRIVATE vuvuviro_flags Qt6::Widgets)

if(TARGET DErerevov)
  add_custom_target(bench_desktop
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/desktop_bench.py $<TARGET_FILE:DErerevov>
            --peer $<TARGET_FILE:bench_desktop_peer> --artefacts ${CMAKE_BINARY_DIR}/artefacts/bench-desktop
    DEPENDS DErerevov bench_desktop_peer
    USES_TERMINAL)
endif()
