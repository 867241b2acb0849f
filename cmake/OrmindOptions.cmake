# Compiler settings shared by every target.
option(ORMIND_SANITIZE "Build native code with address and undefined-behaviour sanitizers" OFF)
option(ORMIND_BUILD_BENCHMARKS "Build the benchmarks (native only)" OFF)
option(ORMIND_FUZZ "Build the libFuzzer targets (clang, native only) instead of the tests" OFF)
option(ORMIND_BUILD_TESTS "Build the test programs, drivers, probes and benchmarks (OFF: the programs, the installer and their image checks only)" ON)

if(MSVC)
  message(FATAL_ERROR "Ormind is built with GCC (native) or MinGW-w64 GCC (Windows).")
endif()

# Warnings and the Windows API settings go on each of the project's own targets (see
# ormind_apply_target_defaults below), not on third-party code built alongside.
add_library(ormind_defaults INTERFACE)
target_compile_options(ormind_defaults INTERFACE -Wall -Wextra -Wno-unused-parameter)
if(WIN32)
  # Unicode Windows APIs everywhere; keep windows.h lean.
  target_compile_definitions(ormind_defaults INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

# Gives every library and program defined under `folder` (and its subfolders) the warnings
# and Windows API settings; called once at the end of the top-level CMakeLists.txt, so that a
# folder's own CMakeLists.txt needs nothing for it.
function(ormind_apply_target_defaults folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_link_libraries(${target} PRIVATE ormind_defaults)
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    # Third-party sources built here (GoogleTest) keep their own settings.
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${subfolder}" NORMALIZE inside)
    if(inside)
      ormind_apply_target_defaults(${subfolder})
    endif()
  endforeach()
endfunction()

if(WIN32)
  # Only system DLLs may be imported: the C++ runtime and pthreads are linked in. A linking
  # option of the whole build, so that every program (test programs too) is the same kind.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # The release build is what ships: code optimised for size (the program waits on the user,
  # the screen and the printer, not on its own loops; the JPEG decoder is prebuilt at full
  # speed), and every function and datum in its own section so the linker drops what nothing
  # calls (most of the static C++ runtime).
  add_compile_options($<$<CONFIG:Release>:-Os> $<$<CONFIG:Release>:-ffunction-sections>
                      $<$<CONFIG:Release>:-fdata-sections>)
  add_link_options($<$<CONFIG:Release>:-Wl,--gc-sections>)
  # A 32-bit program may use 4 GB of address space on 64-bit Windows instead of 2 GB: large
  # pictures are decoded whole.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_link_options(-Wl,--large-address-aware)
  endif()
elseif(ORMIND_FUZZ)
  # Libraries get the fuzzer's coverage hooks; the fuzz targets link libFuzzer itself.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(ORMIND_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
