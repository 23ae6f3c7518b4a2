#include "movements/SalesReport.h"

#include <gtest/gtest.h>

#include "movements/tests/ReportFixtures.h"

namespace korvane {
namespace {

using printer::PrintFont;
using testing::ExpectedLine;
using testing::ExpectDocument;
using testing::FieldOf;
using testing::ItemFileBytes;
using testing::ItemFields;
using testing::ReportItemFile;
using testing::TempFolder;
using testing::WriteBytes;

using testing::kSalesCategoryList;
using testing::SalesHeadLines;
using testing::SalesTotals;

const PrintFont kReportFont{"courier new", 10};
const std::string kDate = "12-10-2026";

TEST(WholeNumberOrNothing, RoundsToAWholeNumberAndShowsZeroAsNothing) {
  const char* const cases[][2] = {
      {"40", "40"}, {"0012  ", "12"}, {"2.5", "3"}, {"-2.5", "-3"}, {"17.4", "17"}, {"0", ""}, {"0.4", ""},
      {"-0.4", ""}, {"", ""}, {"OPEN", "OPEN"}, {"      ", "      "}, {"123456", "123456"},
  };
  for (const auto& c : cases) EXPECT_EQ(WholeNumberOrNothing(c[0]), c[1]) << '"' << c[0] << '"';
}

class SalesReportTest : public testing::ReportFilesTest {
 protected:
  SalesReportTest() : ReportFilesTest(kSalesCategoryList) {}
};

TEST_F(SalesReportTest, PrintsEveryItemOfEachCategoryWithARulerUnderItAndTheTotals) {
  printer::PrintedDocument document;
  ASSERT_EQ(BuildSalesPrintout(document, kDate, files_), ReportStatus::Ok);
  ExpectDocument(document, testing::SalesPrintoutOfTheReportFiles(kDate));
  EXPECT_EQ(document.lines[7].Text(),
            "ABC-100        |Hex bolt M8 x 40                |      |3     |9     |40    |10");
}

TEST_F(SalesReportTest, AnEmptyCategoryListPrintsTheHeadsAndZeroTotals) {
  WriteBytes(files_.categoryFile, "");
  printer::PrintedDocument document;
  ASSERT_EQ(BuildSalesPrintout(document, kDate, files_), ReportStatus::Ok);
  std::vector<ExpectedLine> expected = SalesHeadLines(kDate);
  expected.push_back(SalesTotals("0000", "00000", "00000", "000000"));
  expected.push_back({kReportFont, {{1, "                                  " + std::string(50, '=')}}});
  ExpectDocument(document, expected);
  std::vector<std::string> lines = {"old"};
  ASSERT_EQ(BuildSalesScreenList(lines, files_), ReportStatus::Ok);
  EXPECT_TRUE(lines.empty());
}

TEST_F(SalesReportTest, TheTotalsAreExactBeyondSevenDigits) {
  // A single-precision total would lose the 1 beside 16,777,216.
  std::vector<ItemFields> items = ReportItemFile();
  FieldOf(items[0], ItemField::SoldYear) = "16777216";
  FieldOf(items[1], ItemField::SoldYear) = "1";
  FieldOf(items[3], ItemField::SoldYear) = "";
  WriteBytes(files_.itemFile, ItemFileBytes(items));
  printer::PrintedDocument document;
  ASSERT_EQ(BuildSalesPrintout(document, kDate, files_), ReportStatus::Ok);
  ASSERT_GE(document.lines.size(), 2u);
  const printer::PrintedLine& totals = document.lines[document.lines.size() - 2];
  ASSERT_EQ(totals.runs.size(), 8u);
  EXPECT_EQ(totals.runs[7].text, "16777217");
}

TEST_F(SalesReportTest, ListsTheItemsOnTheScreenInCategoryOrderWithoutTotals) {
  std::vector<std::string> lines;
  ASSERT_EQ(BuildSalesScreenList(lines, files_), ReportStatus::Ok);
  const std::vector<std::string> expected = {
      // An empty day's sales shows as blanks, so that the week's stays under its head.
      FitToWidth("ABC-100                      000003   000009   000040   00010       Hex bolt M8 x 40", 160),
      FitToWidth("AB                  000001   000001   000001   000001   00010       Flat washer M8", 160),
      FitToWidth("OPEN", 160),
      FitToWidth("XY-7                000003   000000   000017   123456   00012       Lock nut M8", 160),
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(SalesReportTest, ACategoryListedTwiceListsItsItemsTwice) {
  WriteBytes(files_.categoryFile, "12\r\n012\r\n");
  std::vector<std::string> lines;
  ASSERT_EQ(BuildSalesScreenList(lines, files_), ReportStatus::Ok);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], lines[1]);
  EXPECT_EQ(lines[0].substr(0, 4), "XY-7");
}

TEST_F(SalesReportTest, AFileThatCannotBeReadGivesNoReportAtAll) {
  struct Case {
    const char* what;
    bool cutItemFile;
    bool noCategoryList;
    ReportStatus status;
  };
  const Case cases[] = {
      {"an item cut short", true, false, ReportStatus::ItemFileUnreadable},
      {"no category list", false, true, ReportStatus::CategoryListUnreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const ReportFiles files{folder.File("Item.dat"), folder.File("Item.Txt")};
    WriteBytes(files.itemFile, ItemFileBytes(ReportItemFile()) + (c.cutItemFile ? "8\r\n" : ""));
    if (!c.noCategoryList) WriteBytes(files.categoryFile, kSalesCategoryList);
    printer::PrintedDocument document;
    document.lines.resize(1);
    EXPECT_EQ(BuildSalesPrintout(document, kDate, files), c.status);
    EXPECT_EQ(document.lines.size(), 1u);
    std::vector<std::string> lines = {"kept"};
    EXPECT_EQ(BuildSalesScreenList(lines, files), c.status);
    EXPECT_EQ(lines, std::vector<std::string>{"kept"});
  }
}

}  // namespace
}  // namespace korvane
