#include "movements/AdjustmentsReport.h"

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

const PrintFont kDefaultFont{};
const PrintFont kReportFont{"courier new", 8};
const std::string kDate = "12-10-2026";

// The lines before the items, the same whatever the files hold.
std::vector<ExpectedLine> HeadLines() {
  return {
      {kDefaultFont, {{1, " "}}},
      {kReportFont, {{1, " "}}},
      {kReportFont,
       {{1, "                                 PRINT-OUT OF INVENTORY ADJUSTMENETS LOW / STOCK AS OF 12-10-2026"}}},
      {kReportFont, {{1, " "}}},
      {kReportFont,
       {{1, "CAT."}, {5, "|  ITEM #  "}, {18, "| DESCRIPTION "}, {34, "| QTY."}, {40, "| REPTS."}, {50, "| REORD."}}},
      {kReportFont, {{1, std::string(181, '-')}}},
  };
}

TEST(IsAdjustedOrLowStock, ListsReceiptsAboveZeroOrAQuantityStrictlyBelowTheReorderPoint) {
  struct Case {
    const char* receipts;
    const char* quantity;
    const char* reorder;
    bool listed;
  };
  const Case cases[] = {
      {"", "3", "3", false},      // at the reorder point is not below it
      {"", "2", "3", true},
      {"7", "50", "3", true},     // receipts, though well stocked
      {"0", "50", "3", false},
      {"-1", "50", "3", false},   // receipts must be above 0
      {"0.5", "50", "3", true},
      {"", "", "", false},        // a free slot
      {"abc", "x", "1", true},    // texts that are not numbers read as 0: 0 < 1
      {"", "-2", "0", true},
      {"", "2.99", "3", true},
  };
  for (const Case& c : cases) {
    ItemRecord item;
    item.Receipts = c.receipts;
    item.Quantity = c.quantity;
    item.Reorder = c.reorder;
    EXPECT_EQ(IsAdjustedOrLowStock(item), c.listed) << c.receipts << " / " << c.quantity << " / " << c.reorder;
  }
}

class AdjustmentsReportTest : public testing::ReportFilesTest {
 protected:
  AdjustmentsReportTest() : ReportFilesTest(testing::kReportCategoryList) {}
};

TEST_F(AdjustmentsReportTest, PrintsTheListedItemsByCategoryInTheOrderOfTheCategoryList) {
  printer::PrintedDocument document;
  ASSERT_EQ(BuildAdjustmentsPrintout(document, kDate, files_), ReportStatus::Ok);
  std::vector<ExpectedLine> expected = HeadLines();
  const std::vector<ExpectedLine> items = {
      // Category 5: a receipt, then an item below its reorder point; an empty receipts counter prints nothing.
      {kReportFont, {{1, "5 "}, {6, "ABC-100     "}, {19, "Hex bolt M8 x 4"}, {35, "00010"}, {42, "0007"}, {52, "0004"}}},
      {kReportFont, {{1, "5 "}, {6, "AB          "}, {19, "Flat washer M8 "}, {35, "00010"}, {52, "0020"}}},
      // Category 1 names item 6 of category 01 (its item at the reorder point is not listed), 12 lists
      // nothing, and 01 names item 6 again; category 9 is not in the list.
      {kReportFont, {{1, "01"}, {6, "NEG-1       "}, {19, "Cotter pin     "}, {35, "-00002"}, {52, "0000"}}},
      {kReportFont, {{1, "01"}, {6, "NEG-1       "}, {19, "Cotter pin     "}, {35, "-00002"}, {52, "0000"}}},
  };
  expected.insert(expected.end(), items.begin(), items.end());
  ExpectDocument(document, expected);
  EXPECT_EQ(document.lines[6].Text(), "5    ABC-100      Hex bolt M8 x 4 00010  0007      0004");
}

TEST_F(AdjustmentsReportTest, ListsTheSameSelectionOnTheScreenInFileOrderWhateverTheCategory) {
  std::vector<std::string> lines = {"an old line"};
  ASSERT_EQ(BuildAdjustmentsScreenList(lines, files_), ReportStatus::Ok);
  const std::vector<std::string> expected = {
      FitToWidth("5    ABC-100          Hex bolt M8 x 40          00010         0007          0004", 160),
      // An empty receipts counter shows as blanks, so that the reorder point stays under its head.
      FitToWidth("5    AB               Flat washer M8            00010                       0020", 160),
      FitToWidth("01   NEG-1            Cotter pin                -00002                       0000", 160),
      FitToWidth("9    ZZ-9             Grease nipple M10 an      00100         0003          0012", 160),
  };
  EXPECT_EQ(lines, expected);
  for (const std::string& line : lines) EXPECT_EQ(line.size(), 160u);
}

TEST_F(AdjustmentsReportTest, AnEmptyCategoryListPrintsOnlyTheHeadsAndLeavesTheScreenListAlone) {
  WriteBytes(files_.categoryFile, "");
  printer::PrintedDocument document;
  ASSERT_EQ(BuildAdjustmentsPrintout(document, kDate, files_), ReportStatus::Ok);
  ExpectDocument(document, HeadLines());
  std::vector<std::string> lines;
  ASSERT_EQ(BuildAdjustmentsScreenList(lines, files_), ReportStatus::Ok);
  EXPECT_EQ(lines.size(), 4u);
}

TEST_F(AdjustmentsReportTest, AScreenLineIsCutAt160Characters) {
  std::vector<ItemFields> items = ReportItemFile();
  FieldOf(items[0], ItemField::Receipts) = "1" + std::string(150, '0');  // 1E+150
  WriteBytes(files_.itemFile, ItemFileBytes(items));
  std::vector<std::string> lines;
  ASSERT_EQ(BuildAdjustmentsScreenList(lines, files_), ReportStatus::Ok);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].size(), 160u);
  EXPECT_EQ(lines[0].substr(0, 66), "5    ABC-100          Hex bolt M8 x 40          00010         1000");
}

TEST_F(AdjustmentsReportTest, AFileThatCannotBeReadGivesNoReportAtAll) {
  printer::PrintedDocument untouched;
  untouched.lines.resize(1);
  std::vector<std::string> lines = {"kept"};
  struct Case {
    const char* what;
    std::string itemFile;      // empty: missing
    std::string categoryList;  // empty: missing
    ReportStatus printed;
    ReportStatus listed;
  };
  const std::string sound = ItemFileBytes(ReportItemFile());
  const Case cases[] = {
      {"an item cut short", sound + "8\r\nCUT\r\n", testing::kReportCategoryList, ReportStatus::ItemFileUnreadable,
       ReportStatus::ItemFileUnreadable},
      {"no item file", "", testing::kReportCategoryList, ReportStatus::ItemFileUnreadable,
       ReportStatus::ItemFileUnreadable},
      {"no category list", sound, "", ReportStatus::CategoryListUnreadable, ReportStatus::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const ReportFiles files{folder.File("Item.dat"), folder.File("Item.Txt")};
    if (!c.itemFile.empty()) WriteBytes(files.itemFile, c.itemFile);
    if (!c.categoryList.empty()) WriteBytes(files.categoryFile, c.categoryList);
    printer::PrintedDocument document = untouched;
    EXPECT_EQ(BuildAdjustmentsPrintout(document, kDate, files), c.printed);
    EXPECT_EQ(document.lines.size(), 1u);
    std::vector<std::string> listed = lines;
    EXPECT_EQ(BuildAdjustmentsScreenList(listed, files), c.listed);
    EXPECT_EQ(listed.size(), c.listed == ReportStatus::Ok ? 4u : 1u);
  }
}

TEST(ReportDate, IsMonthDayYearWithLeadingZeros) {
  EXPECT_EQ(ReportDate(2026, 12, 10), "12-10-2026");
  EXPECT_EQ(ReportDate(2027, 1, 5), "01-05-2027");
}

}  // namespace
}  // namespace korvane
