# Third-party libraries, all installed from Debian (natively) or built from Debian's sources by
# tools/setup into build/deps/<triple> (Windows). Nothing is vendored. A missing library stops
# configuring with what to do about it, rather than failing at link time.
set(ormind_setup_hint "run tools/setup (./test.sh and ./run.sh do) to install it")

if(WIN32)
  set(ormind_deps_prefix ${PROJECT_SOURCE_DIR}/build/deps/${ORMIND_TRIPLE})
  if(NOT EXISTS ${ormind_deps_prefix}/lib/libjpeg.a)
    message(FATAL_ERROR "libjpeg-turbo for ${ORMIND_TRIPLE} not found in ${ormind_deps_prefix}: "
                        "${ormind_setup_hint}")
  endif()
  add_library(ormind_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(ormind_jpeg PROPERTIES
    IMPORTED_LOCATION ${ormind_deps_prefix}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${ormind_deps_prefix}/include)
  # zlib from Debian's libz-mingw-w64-dev, linked statically: only system DLLs are imported.
  find_library(ormind_zlib_archive NAMES libz.a)
  if(NOT ormind_zlib_archive)
    message(FATAL_ERROR "zlib for ${ORMIND_TRIPLE} not found (Debian: libz-mingw-w64-dev): "
                        "${ormind_setup_hint}")
  endif()
  add_library(ormind_zlib STATIC IMPORTED GLOBAL)
  set_target_properties(ormind_zlib PROPERTIES IMPORTED_LOCATION ${ormind_zlib_archive})
  # Setting the package folder gets around the toolchain's find root.
  set(GTest_DIR ${ormind_deps_prefix}/lib/cmake/GTest CACHE PATH "GoogleTest for ${ORMIND_TRIPLE}")
else()
  find_package(JPEG)
  if(NOT JPEG_FOUND)
    message(FATAL_ERROR "libjpeg-turbo not found (Debian: libjpeg62-turbo-dev): ${ormind_setup_hint}")
  endif()
  add_library(ormind_jpeg INTERFACE)
  target_link_libraries(ormind_jpeg INTERFACE JPEG::JPEG)
  find_package(ZLIB)
  if(NOT ZLIB_FOUND)
    message(FATAL_ERROR "zlib not found (Debian: zlib1g-dev): ${ormind_setup_hint}")
  endif()
  add_library(ormind_zlib INTERFACE)
  target_link_libraries(ormind_zlib INTERFACE ZLIB::ZLIB)
  if(ORMIND_BUILD_BENCHMARKS)
    find_package(benchmark)
    if(NOT benchmark_FOUND)
      message(FATAL_ERROR "Google Benchmark not found (Debian: libbenchmark-dev): "
                          "bench/compare.sh installs it")
    endif()
  endif()
endif()

if(ORMIND_BUILD_TESTS AND NOT ORMIND_FUZZ)
  find_package(GTest CONFIG)
  if(NOT GTest_FOUND)
    message(FATAL_ERROR "GoogleTest not found (Debian: libgtest-dev, libgmock-dev; for Windows "
                        "tools/setup builds it from /usr/src/googletest): ${ormind_setup_hint}")
  endif()
  include(GoogleTest)
endif()
