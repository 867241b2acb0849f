# Compiler settings shared by every target.
option(ORMIND_SANITIZE "Build native code with address and undefined-behaviour sanitizers" OFF)
option(ORMIND_BUILD_BENCHMARKS "Build the benchmarks (native only)" OFF)
option(ORMIND_FUZZ "Build the libFuzzer targets (clang, native only) instead of the tests" OFF)

if(MSVC)
  message(FATAL_ERROR "Ormind is built with GCC (native) or MinGW-w64 GCC (Windows).")
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  # Unicode Windows APIs everywhere; keep windows.h lean.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Only system DLLs may be imported: the C++ runtime and pthreads are linked in.
  add_link_options(-static -static-libgcc -static-libstdc++)
elseif(ORMIND_FUZZ)
  # Libraries get the fuzzer's coverage hooks; the fuzz targets link libFuzzer itself.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(ORMIND_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
