# Every target links vuvuviro_flags: one place for warnings and language settings.
add_library(vuvuviro_flags INTERFACE)
target_compile_features(vuvuviro_flags INTERFACE cxx_std_20)
target_compile_options(vuvuviro_flags INTERFACE -Wall -Wextra)
target_include_directories(vuvuviro_flags INTERFACE ${PROJECT_SOURCE_DIR})

option(VUVUVIRO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VUVUVIRO_SANITIZE)
  target_compile_options(vuvuviro_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vuvuviro_flags INTERFACE -fsanitize=address,undefined)
endif()
