#include "items/MasterListPrintOuts.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "files/tests/TempFolder.h"
#include "movements/tests/MovementFixtures.h"
#include "printer/PrintLayout.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::SmallItemFile;
using testing::TempFolder;
using testing::WriteBytes;

// The printer's page layout, as the print-outs drive it; ended documents are kept.
class RecordingPrinter : public ItemListPrinter {
 public:
  std::vector<printer::PrintedDocument> documents;

  void SetFontName(const std::string& name) override { SetFont(name, layout_.Font().points); }
  void SetFontSize(double points) override { SetFont(layout_.Font().name, points); }
  void PrintAt(int column, std::string_view text) override { layout_.PrintAt(column, text); }
  void EndLine() override { layout_.EndLine(); }
  void PrintLine(std::string_view text) override {
    layout_.Print(text);
    layout_.EndLine();
  }
  void EndDoc() override { documents.push_back(layout_.EndDocument()); }

  std::vector<std::string> Lines(std::size_t document = 0) const {
    std::vector<std::string> lines;
    for (const auto& line : documents.at(document).lines) lines.push_back(line.Text());
    return lines;
  }

 private:
  void SetFont(const std::string& name, double points) {
    printer::PrintFont font;
    font.name = name;
    font.points = points;
    layout_.SetFont(font);
  }
  printer::PrintLayout layout_;
};

// A line of cells with each text at its 1-based column.
std::string Cells(std::initializer_list<std::pair<int, std::string>> texts) {
  std::string line;
  for (const auto& [column, text] : texts) {
    if (line.size() < static_cast<std::size_t>(column - 1)) line.resize(column - 1, ' ');
    line.replace(column - 1, text.size(), text);
  }
  return line;
}

class MasterListPrintOuts : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(itemFile_, ItemFileBytes(SmallItemFile()));
    WriteBytes(categoryFile_, "12\r\n5\r\n");
  }
  // The category column of every item line (after the six lines of the page start).
  std::vector<std::string> ItemSlotsPrinted() {
    std::vector<std::string> items;
    const auto lines = printer_.Lines();
    for (std::size_t i = 6; i < lines.size(); ++i) items.push_back(lines[i].substr(5, 15));
    return items;
  }

  TempFolder folder_;
  std::string itemFile_ = folder_.File("Item.dat");
  std::string categoryFile_ = folder_.File("Item.Txt");
  RecordingPrinter printer_;
};

TEST_F(MasterListPrintOuts, TheDateIsMonthDayYear) {
  EXPECT_EQ(PrintOutDate(2026, 3, 7), "03-07-2026");
  EXPECT_EQ(PrintOutDate(1999, 12, 31), "12-31-1999");
}

TEST_F(MasterListPrintOuts, PrintAllPrintsThePageStartAndEveryItemInFileOrder) {
  ASSERT_EQ(PrintAllItems(printer_, "03-07-2026", itemFile_), ItemFileStatus::Ok);
  ASSERT_EQ(printer_.documents.size(), 1u);
  const auto& document = printer_.documents[0];
  const auto lines = printer_.Lines();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], " ");
  EXPECT_NE(document.lines[0].font.name, "courier new");  // the blank before the font is set
  EXPECT_EQ(document.lines[1].font.name, "courier new");
  EXPECT_EQ(document.lines[1].font.points, 8);
  EXPECT_EQ(lines[2],
            "                                PRINT-OUT OF PARTS IN UNSORTED CATEGORY CODE ORDER AS OF 03-07-2026");
  EXPECT_EQ(lines[3], " ");
  EXPECT_EQ(lines[4], Cells({{1, "CAT#"}, {5, "|  ITEM #  "}, {21, "| DESCRIPTION "}, {52, "| COST"},
                             {60, "| PRICE1"}, {69, "| STOCK"}, {77, "| RERD"}, {83, "| SDY"}, {88, "| SWK"},
                             {93, "| SMO"}, {99, "| SYR"}, {105, "| REC."}, {111, "| WOFS"}}));
  EXPECT_EQ(lines[5], std::string(181, '-'));
  // The empty sales of the day and write-offs print nothing in their columns.
  EXPECT_EQ(lines[6], Cells({{2, "5 "}, {6, "ABC-100        "}, {22, "Hex bolt M8 x 40              "},
                             {55, "1.25"}, {63, "2.50"}, {73, "0010"}, {79, "0004"}, {90, "003"}, {95, "0009"},
                             {100, "00040"}, {107, "0007"}}));
  EXPECT_EQ(ItemSlotsPrinted(), (std::vector<std::string>{"ABC-100        ", "AB             ",
                                                          "OPEN           ", "XY-7           "}));
}

TEST_F(MasterListPrintOuts, ByCategoryFollowsTheCodesAndPrintsAnItemOnceForEachEqualCode) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[0], ItemField::Category) = "05";
  WriteBytes(itemFile_, ItemFileBytes(items));
  WriteBytes(categoryFile_, "12\r\n5\r\n05\r\n");
  const CategoryPrintOutStatus status = PrintAllItemsByCategory(printer_, "03-07-2026", itemFile_, categoryFile_);
  ASSERT_EQ(status.categoryList, ItemFileStatus::Ok);
  ASSERT_EQ(status.itemFile, ItemFileStatus::Ok);
  EXPECT_EQ(printer_.Lines()[2],
            "                                PRINT-OUT OF PARTS IN CATEGORY CODE ORDER AS OF 03-07-2026");
  // The free slot has no listed category and is left out.
  EXPECT_EQ(ItemSlotsPrinted(), (std::vector<std::string>{"XY-7           ", "ABC-100        ", "AB             ",
                                                          "ABC-100        ", "AB             "}));
}

TEST_F(MasterListPrintOuts, TheSelectedCategoryIsComparedByNumericValue) {
  struct Case {
    const char* line;
    std::vector<std::string> printed;
  };
  const Case cases[] = {
      {"05  ", {"ABC-100        ", "AB             "}},
      {"12  ", {"XY-7           "}},
      {"", {"OPEN           "}},  // none selected: the items of category 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    printer_.documents.clear();
    ASSERT_EQ(PrintSelectedCategory(printer_, "03-07-2026", c.line, itemFile_), ItemFileStatus::Ok);
    EXPECT_EQ(ItemSlotsPrinted(), c.printed);
  }
}

TEST_F(MasterListPrintOuts, AFileThatCannotBeReadPrintsNothing) {
  WriteBytes(itemFile_, ItemFileBytes(SmallItemFile()) + "5\r\n");
  EXPECT_EQ(PrintAllItems(printer_, "03-07-2026", itemFile_), ItemFileStatus::EndsInsideItem);
  EXPECT_EQ(PrintAllItemsByCategory(printer_, "03-07-2026", itemFile_, categoryFile_).itemFile,
            ItemFileStatus::EndsInsideItem);
  // Without the category list, the list is what is reported, whatever the item file.
  std::remove(categoryFile_.c_str());
  const CategoryPrintOutStatus withoutList = PrintAllItemsByCategory(printer_, "03-07-2026", itemFile_, categoryFile_);
  EXPECT_EQ(withoutList.categoryList, ItemFileStatus::CannotOpen);
  EXPECT_EQ(withoutList.itemFile, ItemFileStatus::Ok);
  EXPECT_EQ(PrintSelectedCategory(printer_, "03-07-2026", "5", itemFile_), ItemFileStatus::EndsInsideItem);
  EXPECT_TRUE(printer_.documents.empty());
  // The next print-out starts on a clean page.
  WriteBytes(itemFile_, ItemFileBytes(SmallItemFile()));
  ASSERT_EQ(PrintAllItems(printer_, "03-07-2026", itemFile_), ItemFileStatus::Ok);
  EXPECT_EQ(printer_.Lines().size(), 10u);
}

}  // namespace
}  // namespace korvane
