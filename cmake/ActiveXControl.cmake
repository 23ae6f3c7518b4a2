# Control libraries built on the ActiveX kit of outside/activex-kit:
#
#   korvane_add_activex_control(TARGET <target> OUTPUT_NAME <file name without .ocx> IDL <file.idl>
#                               SOURCES <files...> [LIBS <targets...>])
#
# compiles the IDL with widl into a header and identifier file (in <target>-gen, on the target's include
# path) and a type library that the library carries as its TYPELIB resource 1, and links the kit's entry
# points (DllGetClassObject, DllCanUnloadNow, DllRegisterServer, DllUnregisterServer).
include_guard(GLOBAL)

function(korvane_add_activex_control)
  cmake_parse_arguments(C "" "TARGET;OUTPUT_NAME;IDL" "SOURCES;LIBS" ${ARGN})
  set(kit ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../outside/activex-kit)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(widl_arch --win64)
    set(stdole_dir /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  else()
    set(widl_arch --win32)
    set(stdole_dir /usr/lib/i386-linux-gnu/wine/i386-windows)
  endif()
  get_filename_component(idl ${C_IDL} ABSOLUTE)
  get_filename_component(base ${C_IDL} NAME_WE)
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/${C_TARGET}-gen)
  file(MAKE_DIRECTORY ${gen})
  # widl reads the system interface definitions (oaidl.idl, ocidl.idl) from Wine's development files.
  set(widl ${KORVANE_WIDL} ${widl_arch} -I/usr/include/wine/wine/windows -L${stdole_dir})
  add_custom_command(
    OUTPUT ${gen}/${base}.h ${gen}/${base}_i.c ${gen}/${base}.tlb
    COMMAND ${widl} -h -o ${gen}/${base}.h ${idl}
    COMMAND ${widl} -u -o ${gen}/${base}_i.c ${idl}
    COMMAND ${widl} -t -o ${gen}/${base}.tlb ${idl}
    DEPENDS ${idl}
    COMMENT "widl ${base}.idl")
  file(WRITE ${gen}/${base}.rc.in "1 TYPELIB \"${gen}/${base}.tlb\"\n")
  configure_file(${gen}/${base}.rc.in ${gen}/${base}.rc COPYONLY)
  set_source_files_properties(${gen}/${base}.rc PROPERTIES OBJECT_DEPENDS ${gen}/${base}.tlb)

  add_library(${C_TARGET} SHARED ${C_SOURCES} ${gen}/${base}_i.c ${gen}/${base}.rc
    ${kit}/DllExports.cpp ${kit}/ControlLibrary.def)
  set_target_properties(${C_TARGET} PROPERTIES PREFIX "" OUTPUT_NAME ${C_OUTPUT_NAME} SUFFIX .ocx)
  target_include_directories(${C_TARGET} PRIVATE ${gen})
  target_link_libraries(${C_TARGET} PRIVATE korvane_activex_kit ${C_LIBS})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # The exports are stdcall functions named plainly, as callers look them up.
    target_link_options(${C_TARGET} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
  endif()

  # The identifiers (CLSID, IIDs) for the programs and tests that use the control.
  add_library(${C_TARGET}_ids STATIC ${gen}/${base}_i.c)
  target_include_directories(${C_TARGET}_ids PUBLIC ${gen})
  target_link_libraries(${C_TARGET}_ids PUBLIC uuid ole32 oleaut32)
endfunction()

# A CTest fixture that registers a control library in the build tree's Wine prefix before the tests that
# require it (FIXTURES_REQUIRED <fixture>) run.
function(korvane_register_activex_control TARGET FIXTURE)
  add_test(NAME register_${TARGET}
    COMMAND ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../scripts/wine-regsvr32 $<TARGET_FILE:${TARGET}>)
  set_tests_properties(register_${TARGET} PROPERTIES FIXTURES_SETUP ${FIXTURE})
endfunction()
