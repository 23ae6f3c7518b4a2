#include "movements/ItemLookup.h"

#include <gtest/gtest.h>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/tests/ItemFileFixtures.h"
#include "movements/tests/MovementFixtures.h"

namespace korvane {
namespace {

using testing::ItemFileBytes;
using testing::SmallItemFile;
using testing::TempFolder;
using testing::WriteBytes;

TEST(ItemNumberBeginsWith, ComparesTheFirstCharactersOfTheStoredNumberExactly) {
  const std::string ab = FitToWidth("AB", 15);
  EXPECT_TRUE(ItemNumberBeginsWith(ab, ""));
  EXPECT_TRUE(ItemNumberBeginsWith(ab, "A"));
  EXPECT_TRUE(ItemNumberBeginsWith(ab, "AB "));
  EXPECT_TRUE(ItemNumberBeginsWith(ab, ab));
  EXPECT_FALSE(ItemNumberBeginsWith(ab, "ab"));
  EXPECT_FALSE(ItemNumberBeginsWith(ab, "ABC"));
  EXPECT_FALSE(ItemNumberBeginsWith(ab, ab + " "));
  EXPECT_FALSE(ItemNumberBeginsWith(FitToWidth("ABC-100", 15), "AB "));
}

class ItemLookupTest : public ::testing::Test {
 protected:
  void TearDown() override { files::CloseAllFiles(); }
  std::string ItemFile() const { return folder_.File("Item.dat"); }
  TempFolder folder_;
};

TEST_F(ItemLookupTest, FindsTheFirstItemInFileOrder) {
  WriteBytes(ItemFile(), ItemFileBytes(SmallItemFile()));
  struct Case {
    const char* typed;
    const char* lineNo;  // nullptr: nothing found
  };
  const Case cases[] = {
      {"", "1"}, {"AB", "1"}, {"AB ", "2"}, {"ABC-100", "1"}, {"XY", "4"}, {"OPEN", "3"},
      {"ZZ", nullptr}, {"xy", nullptr}, {"XY-7           X", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const LookupResult result = LookupItem(c.typed, ItemFile());
    EXPECT_EQ(result.status, ItemFileStatus::Ok);
    ASSERT_EQ(result.item.has_value(), c.lineNo != nullptr);
    if (c.lineNo) {
      EXPECT_EQ(result.item->LineNo, c.lineNo);
    }
  }
  const LookupResult nut = LookupItem("XY", ItemFile());
  EXPECT_EQ(nut.item->Description, FitToWidth("Lock nut M8", 30));
  EXPECT_EQ(nut.item->Quantity, "0012  ");
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));
}

TEST_F(ItemLookupTest, StopsAtTheItemFoundAndFailsOnlyOnWhatItReads) {
  // The file is cut short after the second item: a lookup that stops before the cut succeeds.
  const auto items = SmallItemFile();
  WriteBytes(ItemFile(), ItemFileBytes({items[0], items[1]}) + "3\r\nOPEN\r\n");
  const LookupResult early = LookupItem("ABC", ItemFile());
  EXPECT_EQ(early.status, ItemFileStatus::Ok);
  ASSERT_TRUE(early.item);

  const LookupResult late = LookupItem("XY", ItemFile());
  EXPECT_EQ(late.status, ItemFileStatus::EndsInsideItem);
  EXPECT_FALSE(late.item);
  EXPECT_FALSE(files::IsFileOpen(kItemFileHandle));

  EXPECT_EQ(LookupItem("XY", folder_.File("missing.dat")).status, ItemFileStatus::CannotOpen);
}

TEST_F(ItemLookupTest, ReadsNoMoreItemsThanTheTableHolds) {
  std::string file = testing::WellFormedItemFile(15000);
  file += testing::WellFormedItem(15001);
  WriteBytes(ItemFile(), file);
  EXPECT_EQ(LookupItem("AB-16001", ItemFile()).status, ItemFileStatus::TooManyItems);
  const LookupResult last = LookupItem("AB-16001", ItemFile());
  EXPECT_FALSE(last.item);
  // The last item the table can hold is still found.
  const LookupResult within = LookupItem("AB-16000", ItemFile());
  EXPECT_EQ(within.status, ItemFileStatus::Ok);
  ASSERT_TRUE(within.item);
  EXPECT_EQ(within.item->LineNo, "15000");
}

}  // namespace
}  // namespace korvane
