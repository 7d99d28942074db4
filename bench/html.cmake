# Benchmarks of the web document helper: parsing and serialising a 1 MB
# document, and the link scan over a 1 MB body with its event pump.
add_executable(html_bench ${CMAKE_CURRENT_SOURCE_DIR}/html_bench.cpp)
target_link_libraries(html_bench PRIVATE vhtml platform_browser platform_gui Qt6::Core benchmark::benchmark)
