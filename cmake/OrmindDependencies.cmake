# Third-party libraries, all installed from Debian (natively) or built from Debian's sources by
# tools/setup (Windows). Nothing is vendored.
if(WIN32)
  # tools/setup builds libjpeg-turbo per target under build/deps/<triple>.
  set(jpeg_prefix ${PROJECT_SOURCE_DIR}/build/deps/${ORMIND_TRIPLE})
  if(EXISTS ${jpeg_prefix}/lib/libjpeg.a)
    add_library(ormind_jpeg STATIC IMPORTED GLOBAL)
    set_target_properties(ormind_jpeg PROPERTIES
      IMPORTED_LOCATION ${jpeg_prefix}/lib/libjpeg.a
      INTERFACE_INCLUDE_DIRECTORIES ${jpeg_prefix}/include)
  else()
    message(WARNING "libjpeg-turbo for ${CMAKE_SYSTEM_PROCESSOR} not found: run tools/setup")
  endif()
else()
  find_package(JPEG QUIET)
  if(JPEG_FOUND)
    add_library(ormind_jpeg INTERFACE)
    target_link_libraries(ormind_jpeg INTERFACE JPEG::JPEG)
  endif()
  if(ORMIND_BUILD_BENCHMARKS)
    find_package(benchmark REQUIRED)
  endif()
endif()
