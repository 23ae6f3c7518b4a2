#include "printer/PagePlacement.h"

#include <gtest/gtest.h>

using namespace korvane::printer;

namespace {

// Cells as a printer of 600 dots per inch gives them: 10 points is 50 by 100, 8 points 40 by 80.
CellSize CellOf(const PrintFont& font) {
  if (font.points == 10) return {50, 100};
  if (font.points == 8) return {40, 80};
  return {0, 0};
}

PrintedDocument Lines(int count, double points) {
  PrintLayout layout;
  layout.SetFont(PrintFont{"courier new", points});
  for (int i = 1; i <= count; ++i) {
    layout.PrintAt(2, "line " + std::to_string(i));
    layout.PrintAt(55, "x");
    layout.EndLine();
  }
  return layout.EndDocument();
}

TEST(PagePlacement, TextsStandAtTheCellsOfTheirColumnsOnLinesOfTheirFontsHeight) {
  PrintLayout layout;
  layout.Print(" ");  // the printer's own font, 10 points
  layout.EndLine();
  layout.SetFont(PrintFont{"courier new", 8});
  layout.PrintAt(1, "CAT#");
  layout.PrintAt(52, "| COST");
  layout.EndLine();
  const PagePlan plan = PlaceOnPages(layout.EndDocument(), 1000, CellOf);
  ASSERT_EQ(plan.pages, 1);
  ASSERT_EQ(plan.runs.size(), 3u);
  EXPECT_EQ(plan.runs[0].y, 0);
  EXPECT_EQ(plan.runs[0].cell_width, 50);
  EXPECT_EQ(plan.runs[1].x, 0);
  EXPECT_EQ(plan.runs[1].y, 100);  // under the 10-point line
  EXPECT_EQ(plan.runs[2].x, 51 * 40);
  EXPECT_EQ(plan.runs[2].cell_width, 40);
  EXPECT_EQ(plan.runs[2].text, "| COST");
}

TEST(PagePlacement, ALineThatWouldPassTheFootStartsTheNextPage) {
  struct Case {
    int lines;
    int page_height;
    int pages;
  };
  const Case cases[] = {
      {10, 1000, 1},  // exactly fills the page
      {11, 1000, 2},
      {25, 1000, 3},
      {3, 50, 3},     // a page lower than one line still takes one line
  };
  for (const Case& c : cases) {
    const PagePlan plan = PlaceOnPages(Lines(c.lines, 10), c.page_height, CellOf);
    EXPECT_EQ(plan.pages, c.pages) << c.lines << " lines on pages " << c.page_height << " high";
    EXPECT_EQ(plan.runs.back().page, c.pages - 1);
  }
  const PagePlan plan = PlaceOnPages(Lines(11, 10), 1000, CellOf);
  EXPECT_EQ(plan.runs[20].page, 1);  // line 11 opens page 2 at its top
  EXPECT_EQ(plan.runs[20].y, 0);
  EXPECT_EQ(plan.runs[18].y, 900);
}

TEST(PagePlacement, EmptyDocumentsAndUnusableFonts) {
  EXPECT_EQ(PlaceOnPages(PrintedDocument{}, 1000, CellOf).pages, 0);
  const PagePlan failed = PlaceOnPages(Lines(2, 9), 1000, CellOf);
  EXPECT_EQ(failed.pages, -1);
  EXPECT_TRUE(failed.runs.empty());
}

}  // namespace
