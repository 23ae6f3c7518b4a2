#include "printer/testing/PostScriptPages.h"

#include <gtest/gtest.h>

using namespace korvane::printer::testing;

namespace {

// Shaped like a job of the PostScript driver: a background filled behind the text, a downloaded font
// (hex data lines), glyphs each at its own pen position, and a second page drawn without moves between
// its glyphs.
constexpr const char* kTwoPageJob =
    "%!PS-Adobe-3.0\n"
    "%%Pages: (atend)\n"
    "%%EndComments\n"
    "/H glyphshow\n"  // before any page: not on a page
    "%%Page: 1 1\n"
    "%%BeginPageSetup\n"
    "75 3225 translate\n"
    "%%EndPageSetup\n"
    "100 100 moveto\n"
    "360 0 rlineto\n"
    "closepath\n"
    "0020406080a0c0e0>\n"
    "/DejaVuSansMono findfont\n"
    "20 131 moveto\n"
    "/H glyphshow\n"
    "40 131 moveto\n"
    "/parenleft glyphshow\n"
    "60 131 moveto\n"
    "/one glyphshow\n"
    "  100 131 moveto  \r\n"
    "/period glyphshow\n"
    "0 170 moveto\n"
    "/space glyphshow\n"
    "0 92 moveto\n"  // a line above the others, drawn after them
    "/uni0041 glyphshow\n"
    "showpage\n"
    "%%Page: 2 2\n"
    "20 231 moveto\n"
    "/P glyphshow\n"
    "/a glyphshow\n"
    "/bar glyphshow\n"
    "showpage\n"
    "%%Pages: 2\n";

TEST(PostScriptPages, GlyphsBelongToThePageTheyAreDrawnOnAtThePenOfTheirLastMove) {
  const auto pages = ReadPostScriptPages(kTwoPageJob);
  ASSERT_EQ(pages.size(), 2u);
  ASSERT_EQ(pages[0].glyphs.size(), 6u);
  EXPECT_EQ(pages[0].glyphs[0].x, 20);
  EXPECT_EQ(pages[0].glyphs[0].y, 131);
  EXPECT_EQ(pages[0].glyphs[0].character, 'H');
  EXPECT_EQ(pages[0].glyphs[3].x, 100) << "a move with blanks around it still moves the pen";
  EXPECT_EQ(pages[0].glyphs[3].character, '.');
  ASSERT_EQ(pages[1].glyphs.size(), 3u);
  EXPECT_EQ(pages[1].glyphs[2].x, 20);
  EXPECT_EQ(pages[1].glyphs[2].after_move, 2);
  EXPECT_EQ(pages[1].glyphs[2].character, '|');
}

TEST(PostScriptPages, LinesComeTopToBottomWithEachCharacterInItsCell) {
  const auto pages = ReadPostScriptPages(kTwoPageJob);
  ASSERT_EQ(pages.size(), 2u);
  const auto first = LinesOfPage(pages[0], 20);
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ(first[0].baseline, 92);
  EXPECT_EQ(first[0].text, "A");
  EXPECT_EQ(first[1].baseline, 131);
  EXPECT_EQ(first[1].text, " H(1 .") << "the empty cells between the characters are blanks";
  EXPECT_EQ(first[1].off_cell, 0);
  EXPECT_EQ(first[2].text, " ");
  const auto second = LinesOfPage(pages[1], 20);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].text, " Pa|") << "glyphs drawn without a move go on cell by cell";
}

TEST(PostScriptPages, ACharacterOffTheCellGridIsCounted) {
  const auto pages = ReadPostScriptPages("%%Page: 1 1\n30 50 moveto\n/x glyphshow\n40 50 moveto\n/y glyphshow\n");
  ASSERT_EQ(pages.size(), 1u);
  const auto lines = LinesOfPage(pages[0], 20);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, " xy");
  EXPECT_EQ(lines[0].off_cell, 1);
  EXPECT_TRUE(LinesOfPage(pages[0], 0).empty());
}

TEST(PostScriptPages, WhatIsNotAWholeMoveDoesNotMoveThePen) {
  const auto pages = ReadPostScriptPages(
      "%%Page: 1 1\n40 60 moveto\n1.5 70 moveto\n12 moveto\nx 9 moveto\n40 60 rmoveto\n0 0 0 moveto\n/q glyphshow\n");
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].glyphs.size(), 1u);
  EXPECT_EQ(pages[0].glyphs[0].x, 40);
  EXPECT_EQ(pages[0].glyphs[0].y, 60);
  EXPECT_EQ(pages[0].glyphs[0].after_move, 0);
}

TEST(PostScriptPages, GlyphNamesStandForTheirCharacters) {
  const struct {
    const char* name;
    char character;
  } cases[] = {
      {"a", 'a'},          {"Z", 'Z'},        {"space", ' '},     {"numbersign", '#'}, {"hyphen", '-'},
      {"zero", '0'},       {"nine", '9'},     {"bar", '|'},       {"asciitilde", '~'}, {"backslash", '\\'},
      {"uni0041", 'A'},    {"uni007E", '~'},  {"uni00E9", '?'},   {"uni004", '?'},     {"uniZZZZ", '?'},
      {"eacute", '?'},     {"", '?'},         {"1", '?'},         {"spaces", '?'},
  };
  for (const auto& c : cases) EXPECT_EQ(CharacterOfGlyphName(c.name), c.character) << c.name;
}

}  // namespace
