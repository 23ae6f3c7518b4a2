// Reads back the text of a print job that the PostScript printer driver of the test system wrote to a
// file, free of Windows. That driver draws each character as a glyph of a font it downloads with the job:
// the pen is moved with "x y moveto" (device units, from the top left of the printable area, y downwards
// at the character's baseline) and the character is drawn with "/name glyphshow", named as in the
// standard glyph list; "%%Page:" comments start the pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane::printer::testing {

// One character drawn on a page: at the pen position of the last move, `after_move` characters on.
struct ShownGlyph {
  int x = 0;
  int y = 0;
  int after_move = 0;
  char character = '?';
};

struct PostScriptPage {
  std::vector<ShownGlyph> glyphs;  // in the order they were drawn
};

// The pages of a job, in order. Glyphs drawn before the first page are not part of a page.
std::vector<PostScriptPage> ReadPostScriptPages(std::string_view postscript);

// The character a glyph name stands for ("A", "space", "parenleft", "uni0041"); '?' for a glyph that
// is not a printable ASCII character.
char CharacterOfGlyphName(std::string_view name);

// One line of a page: the characters sharing a baseline, each standing in the cell its position falls
// in when every cell is `cell_width` units wide; cells without a character are blanks.
struct PageLine {
  int baseline = 0;
  std::string text;
  int off_cell = 0;  // characters that did not start at the left edge of a cell
};

// The lines of a page from top to bottom. A cell width of 0 or less gives no lines.
std::vector<PageLine> LinesOfPage(const PostScriptPage& page, int cell_width);

}  // namespace korvane::printer::testing
