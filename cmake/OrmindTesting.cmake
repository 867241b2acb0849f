# Test helpers.
#
#   ormind_add_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [ONE_PROCESS])
#     A GoogleTest program. Natively it runs directly; in the win64 build it runs through
#     wine64 (the toolchain's emulator). The win32 build is never executed here, so its test
#     programs are built but not registered. Each test case is its own ctest test, unless
#     ONE_PROCESS: then the whole program is one test (for window tests, whose start under wine
#     with a display costs about two seconds per process).
#
#   ormind_add_fuzzer(NAME SEEDS LIBS lib1 lib2)
#     A libFuzzer target fuzz_NAME built from fuzz_NAME.cpp (the `fuzz` preset only), run as
#     the test fuzz.NAME for a bounded time on a scratch copy of the seed folder SEEDS (a few
#     seconds; ORMIND_FUZZ_SECONDS with ./test.sh --fuzz). Crashing inputs are kept in
#     build/fuzz/fuzz-artifacts/NAME.
#
#   ormind_add_test_icon(TARGET)
#     Gives a Windows test program a stand-in for the program icon, MAINICON, made at build
#     time: four solid-colour images, 32 x 32 red (256 colours) and blue (16), 16 x 16 yellow
#     (256) and green (16), so that a test tells by the colour which image it got.
#
#   ormind_add_program(TARGET)
#     Marks a Windows program whose image is checked (architecture, imports only system DLLs).

function(ormind_add_gtest name)
  if(ORMIND_FUZZ)
    return()  # the fuzzing build runs its fuzzers only
  endif()
  cmake_parse_arguments(T "ONE_PROCESS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ORMIND_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(WIN32)
    ormind_add_program(${name})
  endif()
  if(NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR)
    if(T_ONE_PROCESS)
      add_test(NAME ${name} COMMAND ${name})
      set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    else()
      gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                           PROPERTIES TIMEOUT 300)
    endif()
  endif()
endfunction()

function(ormind_add_fuzzer name seeds)
  cmake_parse_arguments(F "" "" "LIBS" ${ARGN})
  add_executable(fuzz_${name} fuzz_${name}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME fuzz.${name}
           COMMAND ${PROJECT_SOURCE_DIR}/tests/report/pages/fuzz/run-fuzzer.sh
                   $<TARGET_FILE:fuzz_${name}> ${seeds} ${CMAKE_BINARY_DIR}/fuzz-artifacts/${name})
endfunction()

function(ormind_add_test_icon target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_icon)
  set(script ${PROJECT_SOURCE_DIR}/tests/ui/tray/make_test_icon.py)
  add_custom_command(OUTPUT ${dir}/test_icon.ico
    COMMAND python3 ${script} ${dir}/test_icon.ico
    DEPENDS ${script})
  file(WRITE ${dir}/test_icon.rc "MAINICON ICON \"${dir}/test_icon.ico\"\n")
  set_source_files_properties(${dir}/test_icon.rc PROPERTIES OBJECT_DEPENDS ${dir}/test_icon.ico)
  target_sources(${target} PRIVATE ${dir}/test_icon.rc)
endfunction()

function(ormind_add_program target)
  set_property(GLOBAL APPEND PROPERTY ORMIND_WINDOWS_PROGRAMS ${target})
endfunction()

# Registers, for every marked Windows program, a test that checks its image: PE32+ x86-64 or
# PE32 i386 by the build's processor, and no DLL other than the system's; a 32-bit program must
# be large-address aware.
function(ormind_add_image_checks)
  if(NOT WIN32)
    return()
  endif()
  get_property(programs GLOBAL PROPERTY ORMIND_WINDOWS_PROGRAMS)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(format "pei-x86-64")
    set(address_check "")
  else()
    set(format "pei-i386")
    set(address_check "--large-address-aware")
  endif()
  foreach(target IN LISTS programs)
    add_test(NAME image.${target}
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/build/check-image.sh
                     ${CMAKE_OBJDUMP} ${format} $<TARGET_FILE:${target}> ${address_check})
  endforeach()
endfunction()
