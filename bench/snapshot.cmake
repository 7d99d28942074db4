# Snapshot of a control against libjpeg-turbo's own encode of the same pixels.
find_package(JPEG REQUIRED)
add_executable(snapshot_bench ${CMAKE_CURRENT_SOURCE_DIR}/snapshot_jpeg.cpp)
target_link_libraries(snapshot_bench PRIVATE
  vsnapshot platform_jpeg platform_gui JPEG::JPEG benchmark::benchmark)
