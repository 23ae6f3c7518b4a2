#include "items/CategoryList.h"

#include <gtest/gtest.h>

#include <memory>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/tests/ItemFileFixtures.h"

namespace korvane {
namespace {

using korvane::testing::TempFolder;
using korvane::testing::WriteBytes;
using Codes = std::vector<std::string>;

TEST(CategoryListTest, CodesAreFieldsInFileOrder) {
  TempFolder folder;
  const std::string list = folder.File("Item.Txt");
  WriteBytes(list, "20\r\n10\r\n  5\r\n1,2\r\n\r\n123\n");
  Codes codes{"stale"};
  ASSERT_EQ(ReadCategoryCodes(codes, list), ItemFileStatus::Ok);
  EXPECT_EQ(codes, (Codes{"20", "10", "5", "1", "2", "", "123"}));
  EXPECT_FALSE(files::IsFileOpen(kCategoryFileHandle));
  // Readers keep their own number of leading characters.
  EXPECT_EQ(FitToWidth(codes[6], 2), "12");
  EXPECT_EQ(FitToWidth(codes[2], 4), "5   ");
}

TEST(CategoryListTest, AnEmptyListHasNoCodesAndAMissingOneIsReported) {
  TempFolder folder;
  const std::string list = folder.File("Item.Txt");
  WriteBytes(list, "");
  Codes codes{"stale"};
  ASSERT_EQ(ReadCategoryCodes(codes, list), ItemFileStatus::Ok);
  EXPECT_TRUE(codes.empty());
  codes = {"stale"};
  EXPECT_EQ(ReadCategoryCodes(codes, folder.File("missing.txt")), ItemFileStatus::CannotOpen);
  EXPECT_TRUE(codes.empty());
}

TEST(CategoryListTest, CodesNameCategoriesByNumericValue) {
  struct Case {
    const char* code;
    const char* category;
    bool same;
  };
  const Case cases[] = {
      {"3", "03", true},   {"5", "5 ", true},   {"05", "5", true},  {"0", "", true},
      {"AB", "  ", true},  {"", "AB", true},    {"12", "1 ", false}, {"20", "2 ", false},
      {"1.0", "1", true},  {"7", "7x", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameCategoryValue(c.code, c.category), c.same) << '"' << c.code << "\" / \"" << c.category << '"';
  }
}

TEST(CategoryListTest, AListLineMatchesTheCategoryOfItemsReadFromTheFile) {
  TempFolder folder;
  std::string file = korvane::testing::WellFormedItem(1);
  file.replace(file.find("\r\n1 \r\n") + 2, 2, "03");  // item 1's category '1 ' becomes '03'
  WriteBytes(folder.File("Item.dat"), file);
  WriteBytes(folder.File("Item.Txt"), "3\r\n");

  auto table = std::make_unique<ItemTableColumns>();
  WindowCounters counters;
  ASSERT_EQ(LoadItemTable(counters, *table, folder.File("Item.dat")), ItemFileStatus::Ok);
  Codes codes;
  ASSERT_EQ(ReadCategoryCodes(codes, folder.File("Item.Txt")), ItemFileStatus::Ok);
  ASSERT_EQ(codes.size(), 1u);
  EXPECT_EQ(table->CategoryArr(1), "03");
  EXPECT_TRUE(SameCategoryValue(codes[0], table->CategoryArr(1)));
}

}  // namespace
}  // namespace korvane
