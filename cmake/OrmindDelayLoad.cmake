# Delay-loaded system libraries.
#
#   ormind_delay_load(NAME DLL IMPORT_LIBRARY FUNCTION...)
#     An interface library NAME that links the listed functions of DLL so that the DLL is
#     loaded on the first call of any of them rather than when the program starts: what only
#     printing, the file dialogs or the picture loader need then costs nothing until used. The
#     delay-import library is made by dlltool from a definition file; on 32-bit Windows the
#     functions are stdcall, so their decorated names (OpenPrinterW@12) are read from the
#     toolchain's own import library IMPORT_LIBRARY, and the names looked up in the DLL are the
#     plain ones. A function missing from the import library stops the configuration.
if(NOT WIN32)
  return()
endif()

find_program(ORMIND_DLLTOOL NAMES ${ORMIND_TRIPLE}-dlltool REQUIRED)
find_program(ORMIND_NM NAMES ${ORMIND_TRIPLE}-nm REQUIRED)
find_library(ORMIND_DELAYIMP delayimp REQUIRED)

function(ormind_delay_load name dll import_library)
  set(dir ${CMAKE_BINARY_DIR}/delay-load)
  set(def ${dir}/${name}.def)
  set(lib ${dir}/lib${name}.a)
  set(text "LIBRARY ${dll}\nEXPORTS\n")
  set(kill_at "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    find_library(path ${import_library} NO_CACHE REQUIRED)
    execute_process(COMMAND ${ORMIND_NM} ${path} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    set(kill_at -k)
  endif()
  foreach(function IN LISTS ARGN)
    set(entry ${function})
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      if(NOT symbols MATCHES " T _${function}(@[0-9]+)\n")
        message(FATAL_ERROR "${function} is not in the import library ${import_library}")
      endif()
      string(APPEND entry ${CMAKE_MATCH_1})
    endif()
    string(APPEND text "${entry}\n")
  endforeach()
  file(CONFIGURE OUTPUT ${def} CONTENT "${text}" @ONLY)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${ORMIND_DLLTOOL} ${kill_at} --input-def ${def} --dllname ${dll} --output-delaylib ${lib}
    DEPENDS ${def}
    COMMENT "Delay-import library for ${dll}")
  add_custom_target(${name}_library DEPENDS ${lib})
  add_library(${name} INTERFACE)
  add_dependencies(${name} ${name}_library)
  target_link_libraries(${name} INTERFACE ${lib} ${ORMIND_DELAYIMP})
endfunction()

# Printing, its dialogs and the picture loader's component: none of them is on the way to the
# main window's first paint.
ormind_delay_load(ormind_delay_winspool winspool.drv winspool
  ClosePrinter DeviceCapabilitiesW DocumentPropertiesW EnumPrintersW GetDefaultPrinterW
  GetPrinterDriverW GetPrinterW OpenPrinterW)
ormind_delay_load(ormind_delay_comdlg32 comdlg32.dll comdlg32
  CommDlgExtendedError GetOpenFileNameW GetSaveFileNameW PrintDlgW)
ormind_delay_load(ormind_delay_oleaut32 oleaut32.dll oleaut32 OleLoadPicture)
