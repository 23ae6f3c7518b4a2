// Small item files and category lists for the tests of the two reports, and reading a recorded
// print-out back line by line and column by column.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "movements/ReportItems.h"
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

// The report items and a category list in a folder of the test's own.
class ReportFilesTest : public ::testing::Test {
 protected:
  explicit ReportFilesTest(const char* categoryList) : categoryList_(categoryList) {}
  void SetUp() override {
    files_.itemFile = folder_.File("Item.dat");
    files_.categoryFile = folder_.File("Item.Txt");
    WriteBytes(files_.itemFile, ItemFileBytes(ReportItemFile()));
    WriteBytes(files_.categoryFile, categoryList_);
  }
  void TearDown() override { files::CloseAllFiles(); }

  const char* categoryList_;
  TempFolder folder_;
  ReportFiles files_;
};

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

// The sales report's category list: categories 5, 0 (the free slot) and 12, in that order; 1, 01 and 9
// are not listed.
inline const char kSalesCategoryList[] = "5\r\n0\r\n12\r\n";

inline const printer::PrintFont kSalesReportFont{"courier new", 10};

// The lines of the sales print-out before the items.
inline std::vector<ExpectedLine> SalesHeadLines(const std::string& date) {
  const printer::PrintFont& font = kSalesReportFont;
  return {
      {printer::PrintFont{}, {{1, " "}}},
      {font, {{1, " "}}},
      {font, {{1, "      PRINT-OUT OF SALES & INVENTORY IN CATEGORY NUMBER ORDER AS OF " + date}}},
      {font, {{1, " "}}},
      {font, {{1, " "}}},
      {font, {{1, "ITEM#"}, {16, "| DESCRIPTION"}, {49, "|DAY"}, {56, "|WEEK"}, {63, "|MONTH"}, {70, "|YEAR"}, {77, "|ON HAND"}}},
      {font, {{1, std::string(84, '-')}}},
  };
}

inline ExpectedLine SalesTotals(const char* day, const char* week, const char* month, const char* year) {
  return {kSalesReportFont,
          {{49, "|"}, {50, day}, {56, "|"}, {57, week}, {63, "|"}, {64, month}, {70, "|"}, {71, year}}};
}

// The sales print-out of the report items under the sales category list.
inline std::vector<ExpectedLine> SalesPrintoutOfTheReportFiles(const std::string& date) {
  const printer::PrintFont& font = kSalesReportFont;
  const std::string ruler(84, '-');
  std::vector<ExpectedLine> lines = SalesHeadLines(date);
  const std::vector<ExpectedLine> rest = {
      // An empty day's sales prints nothing in its column.
      {font,
       {{1, "ABC-100        "}, {16, "|"}, {17, "Hex bolt M8 x 40              "}, {49, "|"}, {56, "|"}, {57, "3"},
        {63, "|"}, {64, "9"}, {70, "|"}, {71, "40"}, {77, "|"}, {78, "10"}}},
      {font, {{1, ruler}}},
      {font,
       {{1, "AB             "}, {16, "|"}, {17, "Flat washer M8                "}, {49, "|"}, {50, "1"}, {56, "|"},
        {57, "1"}, {63, "|"}, {64, "1"}, {70, "|"}, {71, "1"}, {77, "|"}, {78, "10"}}},
      {font, {{1, ruler}}},
      // The free slot of category 0: blank number columns (its quantity is six blanks, shown as they are).
      {font,
       {{1, "OPEN           "}, {16, "|"}, {17, std::string(30, ' ')}, {49, "|"}, {56, "|"}, {63, "|"}, {70, "|"},
        {77, "|"}, {78, "      "}}},
      {font, {{1, ruler}}},
      // Halves round away from zero, a week's sales of 0 print as nothing, the quantity loses its zeros.
      {font,
       {{1, "XY-7           "}, {16, "|"}, {17, "Lock nut M8                   "}, {49, "|"}, {50, "3"}, {56, "|"},
        {63, "|"}, {64, "17"}, {70, "|"}, {71, "123456"}, {77, "|"}, {78, "12"}}},
      {font, {{1, ruler}}},
      // 0 + 1 + 0 + 2.5, 3 + 1 + 0 + 0, 9 + 1 + 0 + 17.4, 40 + 1 + 0 + 123456.
      SalesTotals("0004", "00004", "00027", "123497"),
      {font, {{1, "                                  " + std::string(50, '=')}}},
  };
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

}  // namespace korvane::testing
