// Small item files and category lists for the tests of the two reports, and reading a recorded
// print-out back line by line and column by column.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "movements/tests/MovementFixtures.h"
#include "printer/PrintLayout.h"

namespace korvane::testing {

// Items that the adjustments report lists for each of its reasons and leaves out, in categories that
// the category list names once, twice (1 and 01) or not at all (9).
//          LineNo ItemNumber  Description                 Cat   Cost    Qty    Reorder Price  Rec    WOf TOut TIn SDy    SWk  SMo   SYr
inline std::vector<ItemFields> ReportItemFile() {
  return {
      {"1", "ABC-100", "Hex bolt M8 x 40", "5", "1.25", "10", "4", "2.5", "7", "", "1", "", "", "3", "9", "40"},
      {"2", "AB", "Flat washer M8", "5", "0.05", "10", "20", "0.1", "", "2", "", "4", "1", "1", "1", "1"},
      {"3", "OPEN", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
      {"4", "XY-7", "Lock nut M8", "12", "0.3", "0012", "5", "0.6", "", "", "", "", "2.5", "0", "17.4", "123456"},
      {"5", "CD-3", "Spring pin 3 x 20", "1", "0.1", "3", "3", "0.2", "", "", "", "", "", "", "", ""},
      {"6", "NEG-1", "Cotter pin", "01", "0.1", "-2", "0", "0.2", "", "", "", "", "-1", "", "", "2"},
      {"7", "ZZ-9", "Grease nipple M10 angled", "9", "3", "100", "12", "6", "2.6", "", "", "", "5", "5", "5", "5"},
  };
}

inline const char kReportCategoryList[] = "5\r\n1\r\n12\r\n01\r\n";

struct ExpectedLine {
  printer::PrintFont font;
  std::vector<printer::PrintedRun> runs;
};

inline void ExpectDocument(const printer::PrintedDocument& document, const std::vector<ExpectedLine>& expected) {
  ASSERT_EQ(document.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + document.lines[i].Text());
    const printer::PrintedLine& line = document.lines[i];
    EXPECT_EQ(line.font.name, expected[i].font.name);
    EXPECT_EQ(line.font.points, expected[i].font.points);
    ASSERT_EQ(line.runs.size(), expected[i].runs.size());
    for (std::size_t r = 0; r < line.runs.size(); ++r) {
      EXPECT_EQ(line.runs[r].column, expected[i].runs[r].column) << "run " << r;
      EXPECT_EQ(line.runs[r].text, expected[i].runs[r].text) << "run " << r;
    }
  }
}

}  // namespace korvane::testing
