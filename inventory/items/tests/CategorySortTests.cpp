#include "items/CategorySort.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/tests/ItemFileFixtures.h"
#include "movements/tests/MovementFixtures.h"

namespace korvane {
namespace {

using korvane::testing::ReadBytes;
using korvane::testing::TempFolder;
using korvane::testing::WellFormedItemFile;
using korvane::testing::WriteBytes;

// The 16 lines of an item whose slot, item number and category are given; the rest is fixed.
std::string Item(const std::string& slot, const std::string& category) {
  std::string item = slot + "\r\n";
  item += FitToWidth("P-" + slot, 15) + "\r\n";
  item += FitToWidth("Part " + slot, 30) + "\r\n";
  item += FitToWidth(category, 2) + "\r\n";
  item += FitToWidth("1.5", 8) + "\r\n" + FitToWidth("3", 6) + "\r\n" + FitToWidth("1", 6) + "\r\n";
  item += "2\r\n7\r\n\r\n1\r\n\r\n\r\n4\r\n9\r\n40\r\n";
  return item;
}

struct Recorded : SortProgress {
  void ItemPlaced(int placed) override { counts.push_back(placed); }
  void PassEnded(const std::string& code) override { codes.push_back(code); }
  std::vector<int> counts;
  std::vector<std::string> codes;
};

TEST(CategoryOrderTest, FollowsTheListsLineOrderAndKeepsFileOrderWithinACategory) {
  struct Case {
    const char* what;
    std::vector<std::string> codes;
    std::vector<std::string> categories;
    std::vector<int> order;
  };
  const Case cases[] = {
      {"20 listed before 10", {"20", "10"}, {"10", "20", "10", "20"}, {1, 3, 0, 2}},
      {"numeric value: 05 and 5 alike", {"5", "7"}, {"7 ", "05", "5 "}, {1, 2, 0}},
      {"only 4 characters of a code are kept", {"12345"}, {"12", "1234"}, {1, 0}},
      {"unlisted categories kept at the end in file order", {"2"}, {"9", "2", "8", "2"}, {1, 3, 0, 2}},
      {"an empty list keeps the file order", {}, {"3", "1", "2"}, {0, 1, 2}},
      {"a code of the same value twice places an item once", {"1", "01", "2"}, {"2", "1 "}, {1, 0}},
      {"an empty category is the code 0 and a code without digits", {"X", "1"}, {"1", "  "}, {1, 0}},
      {"no items", {"1"}, {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CategoryOrder(c.codes, c.categories), c.order) << c.what;
  }
}

TEST(CategoryOrderTest, ShowsTheCountAcrossAllPassesAndEachCodeAtItsPassEnd) {
  Recorded progress;
  (void)CategoryOrder({"20", "1", "10"}, {"10", "20", "10", "5"}, &progress);
  EXPECT_EQ(progress.counts, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(progress.codes, (std::vector<std::string>{"20  ", "1   ", "10  "}));
}

class CategorySortTest : public ::testing::Test {
 protected:
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    files::CloseAllFiles();
  }
  SortStatus Sort() { return SortItemFile(progress_, counters_, ItemFile(), CategoryFile()); }
  std::string ItemFile() const { return folder_.File("Item.dat"); }
  std::string CategoryFile() const { return folder_.File("Item.Txt"); }

  TempFolder folder_;
  Recorded progress_;
  WindowCounters counters_;
};

TEST_F(CategorySortTest, RewritesTheFileInCategoryOrderKeepingEveryItem) {
  WriteBytes(CategoryFile(), "20\r\n10\r\n");
  WriteBytes(ItemFile(), Item("1", "10") + Item("2", "20") + Item("3", "7") + Item("4", "10") + Item("5", "20"));
  ASSERT_EQ(Sort(), SortStatus::Done);
  EXPECT_EQ(ReadBytes(ItemFile()), Item("2", "20") + Item("5", "20") + Item("1", "10") + Item("4", "10") + Item("3", "7"));
  EXPECT_EQ(progress_.counts.back(), 5);
  EXPECT_EQ(counters_.CounterMax, 5);
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
  EXPECT_FALSE(files::IsFileOpen(kCategoryFileHandle));
}

TEST_F(CategorySortTest, ASortedFileSortsToTheSameBytes) {
  WriteBytes(CategoryFile(), "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
  WriteBytes(ItemFile(), WellFormedItemFile(40));
  ASSERT_EQ(Sort(), SortStatus::Done);
  const std::string sorted = ReadBytes(ItemFile());
  EXPECT_NE(sorted, WellFormedItemFile(40));
  EXPECT_EQ(sorted.size(), WellFormedItemFile(40).size());
  ASSERT_EQ(Sort(), SortStatus::Done);
  EXPECT_EQ(ReadBytes(ItemFile()), sorted);
}

TEST_F(CategorySortTest, FieldsAreWrittenBackNormalisedAndSlotsAreNotRenumbered) {
  WriteBytes(CategoryFile(), "2\r\n1\r\n");
  // A short fixed field and blanks at the end of a variable one, as another program may leave them.
  WriteBytes(ItemFile(), Item("1", "1") + "7\r\nX\r\nShort\r\n2\r\n1\r\n2\r\n3\r\n4  \r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
  ASSERT_EQ(Sort(), SortStatus::Done);
  const std::string expected = "7\r\n" + FitToWidth("X", 15) + "\r\n" + FitToWidth("Short", 30) + "\r\n2 \r\n" +
                               FitToWidth("1", 8) + "\r\n2     \r\n3     \r\n4\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n" +
                               Item("1", "1");
  EXPECT_EQ(ReadBytes(ItemFile()), expected);
}

TEST_F(CategorySortTest, FailuresLeaveTheItemFileAsItWas) {
  const std::string items = Item("1", "2") + Item("2", "1");
  struct Case {
    const char* what;
    bool listPresent;
    std::string itemBytes;
    long failWritesAfter;
    SortStatus status;
  };
  const Case cases[] = {
      {"no category list", false, items, -1, SortStatus::CategoryListUnreadable},
      {"an item file cut short", true, items + "3\r\n", -1, SortStatus::ItemFileUnreadable},
      {"a write that fails half way", true, items, 20, SortStatus::CannotWrite},
      {"more items than the table holds", true, WellFormedItemFile(ItemTableColumns::kLastRow + 1), -1,
       SortStatus::TooManyItems},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove(CategoryFile().c_str());
    if (c.listPresent) WriteBytes(CategoryFile(), "1\r\n2\r\n");
    WriteBytes(ItemFile(), c.itemBytes);
    files::FailWritesAfterLinesForTesting(c.failWritesAfter);
    EXPECT_EQ(Sort(), c.status);
    files::FailWritesAfterLinesForTesting(-1);
    EXPECT_EQ(ReadBytes(ItemFile()), c.itemBytes);
  }
  // A missing item file stays missing: the sort creates none.
  std::remove(ItemFile().c_str());
  EXPECT_EQ(Sort(), SortStatus::ItemFileUnreadable);
  EXPECT_FALSE(std::filesystem::exists(ItemFile()));
}

TEST_F(CategorySortTest, AFileWhoseFieldsTheReaderCutsIsNotSorted) {
  WriteBytes(CategoryFile(), "12\r\n5\r\n");
  for (const testing::FileTheReaderCuts& file : testing::FilesTheReaderCuts()) {
    SCOPED_TRACE(file.what);
    WriteBytes(ItemFile(), file.bytes);
    EXPECT_EQ(Sort(), SortStatus::ItemFileUnreadable);
    EXPECT_TRUE(ReadBytes(ItemFile()) == file.bytes);
  }
}

TEST_F(CategorySortTest, AnEmptyItemFileStaysEmpty) {
  WriteBytes(CategoryFile(), "1\r\n");
  WriteBytes(ItemFile(), "");
  ASSERT_EQ(Sort(), SortStatus::Done);
  EXPECT_EQ(ReadBytes(ItemFile()), "");
  EXPECT_TRUE(progress_.counts.empty());
  EXPECT_EQ(progress_.codes, std::vector<std::string>{"1   "});
}

}  // namespace
}  // namespace korvane
