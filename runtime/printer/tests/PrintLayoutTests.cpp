#include "printer/PrintLayout.h"

#include <gtest/gtest.h>

using korvane::printer::PrintFont;
using korvane::printer::PrintLayout;

TEST(PrintLayout, PlacesTextAtOneBasedColumnsOfOneLine) {
  PrintLayout layout;
  layout.PrintAt(1, "CAT#");
  layout.PrintAt(5, "|  ITEM #  ");
  layout.PrintAt(21, "| DESCRIPTION ");
  layout.EndLine();
  const auto doc = layout.EndDocument();
  ASSERT_EQ(doc.lines.size(), 1u);
  ASSERT_EQ(doc.lines[0].runs.size(), 3u);
  EXPECT_EQ(doc.lines[0].runs[1].column, 5);
  EXPECT_EQ(doc.lines[0].runs[2].column, 21);
  EXPECT_EQ(doc.lines[0].Text(), "CAT#|  ITEM #       | DESCRIPTION ");
}

TEST(PrintLayout, AColumnBehindThePrintPositionStartsANewLine) {
  PrintLayout layout;
  layout.PrintAt(22, std::string(30, 'D'));  // ends at column 51
  layout.PrintAt(55, "12.50");              // ahead: same line
  layout.PrintAt(52, "X");                  // behind: next line
  const auto doc = layout.EndDocument();
  ASSERT_EQ(doc.lines.size(), 2u);
  EXPECT_EQ(doc.lines[0].runs[1].column, 55);
  EXPECT_EQ(doc.lines[1].runs[0].column, 52);
  EXPECT_EQ(doc.lines[1].Text(), std::string(51, ' ') + "X");
}

TEST(PrintLayout, TheColumnAtThePrintPositionContinuesTheLine) {
  PrintLayout layout;
  layout.PrintAt(1, "ab");
  layout.PrintAt(3, "cd");
  layout.Print("ef");
  EXPECT_EQ(layout.EndDocument().lines.at(0).Text(), "abcdef");
}

TEST(PrintLayout, BlankAndEmptyLinesAndFontsPerLine) {
  PrintLayout layout;
  layout.Print(" ");
  layout.EndLine();
  layout.SetFont(PrintFont{"courier new", 8});
  layout.EndLine();
  layout.PrintAt(1, "title");
  const auto doc = layout.EndDocument();  // the open last line is ended
  ASSERT_EQ(doc.lines.size(), 3u);
  EXPECT_EQ(doc.lines[0].Text(), " ");
  EXPECT_EQ(doc.lines[1].Text(), "");
  EXPECT_EQ(doc.lines[0].font.name, "Courier New");
  EXPECT_EQ(doc.lines[2].font, (PrintFont{"courier new", 8}));
  EXPECT_TRUE(layout.EndDocument().lines.empty());  // the layout starts afresh
}
