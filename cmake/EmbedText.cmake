# Makes a text file part of a build: a header that holds the file's text as one string constant.
#
#   korvane_embed_text(TARGET <target> HEADER <folder/Name.h> SYMBOL <symbol> FILE <file>)
#
# makes the interface library <target>, through which `#include "<folder/Name.h>"` finds the header
# written into the build tree; the build configures again when the file changes.
include_guard(GLOBAL)

function(korvane_embed_text)
  cmake_parse_arguments(E "" "TARGET;HEADER;SYMBOL;FILE" "" ${ARGN})
  file(READ ${E_FILE} KORVANE_EMBEDDED_TEXT)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E_FILE})
  set(KORVANE_EMBEDDED_SYMBOL ${E_SYMBOL})
  get_filename_component(KORVANE_EMBEDDED_SOURCE ${E_FILE} NAME)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/embedded)
  file(CONFIGURE OUTPUT ${folder}/${E_HEADER} @ONLY CONTENT
"// Made by the build from @KORVANE_EMBEDDED_SOURCE@; edit that file instead.
#pragma once
inline constexpr char @KORVANE_EMBEDDED_SYMBOL@[] = R\"korvane_text(@KORVANE_EMBEDDED_TEXT@)korvane_text\";
")
  add_library(${E_TARGET} INTERFACE)
  target_include_directories(${E_TARGET} INTERFACE ${folder})
endfunction()
