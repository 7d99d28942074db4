# Benchmark of the settings store: one push and one pop, and the utility's
# whole save-then-load, on a real hive file.
add_executable(bench_registry ${CMAKE_CURRENT_SOURCE_DIR}/registry_store.cpp)
target_link_libraries(bench_registry PRIVATE vreg benchmark::benchmark)
