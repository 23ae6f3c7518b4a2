# Makes a text file part of the program: a header that holds the file's text as one string constant.
#
#   korvane_embed_text(<header> <symbol> <file>)
#
# The header is written into the build tree (its folder is added to the includes of whoever includes it
# through CMAKE_CURRENT_BINARY_DIR); the build configures again when the file changes.
include_guard(GLOBAL)

function(korvane_embed_text header symbol file)
  file(READ ${file} KORVANE_EMBEDDED_TEXT)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  set(KORVANE_EMBEDDED_SYMBOL ${symbol})
  get_filename_component(KORVANE_EMBEDDED_SOURCE ${file} NAME)
  file(CONFIGURE OUTPUT ${header} @ONLY CONTENT
"// Made by the build from @KORVANE_EMBEDDED_SOURCE@; edit that file instead.
#pragma once
inline constexpr char @KORVANE_EMBEDDED_SYMBOL@[] = R\"korvane_text(@KORVANE_EMBEDDED_TEXT@)korvane_text\";
")
endfunction()
