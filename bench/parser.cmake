# Expression engine and plotter benchmarks, against muparser (Debian
# libmuparser-dev) measured in the same run; ratios are printed at the end.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MUPARSER REQUIRED IMPORTED_TARGET muparser)
add_executable(bench_parser parser_eval.cpp)
target_link_libraries(bench_parser PRIVATE vgraphics vuvuviro_flags benchmark::benchmark PkgConfig::MUPARSER)
