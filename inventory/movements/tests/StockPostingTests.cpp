#include "movements/StockPosting.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "items/NumberText.h"
#include "movements/tests/MovementFixtures.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::ReadBytes;
using testing::SmallItemFile;
using testing::TempFolder;
using testing::WriteBytes;

ChosenKinds Only(MovementKind kind) {
  ChosenKinds kinds{};
  kinds[static_cast<int>(kind)] = true;
  return kinds;
}

class StockPostingTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(ItemFile(), ItemFileBytes(items_)); }
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    files::CloseAllFiles();
  }
  std::string ItemFile() const { return folder_.File("Item.dat"); }

  // A posting to the item of the slot as the lookup finds it: the first of that slot in the file, unless
  // the item number is given.
  PostingResult Post(const char* slot, const ChosenKinds& kinds, const char* amount,
                     const char* itemNumber = nullptr) {
    std::optional<PostedItem> item;
    if (const std::optional<double> value = PostingSlot(slot)) {
      item = PostedItem{*value, itemNumber ? itemNumber : ""};
      for (const ItemFields& row : items_) {
        if (!itemNumber && NumberFromText(row[static_cast<int>(ItemField::LineNo)]) == *value) {
          item->itemNumber = row[static_cast<int>(ItemField::ItemNumber)];
          break;
        }
      }
    }
    return PostMovement(item, kinds, amount, counters_, ItemFile());
  }

  TempFolder folder_;
  std::vector<ItemFields> items_ = SmallItemFile();
  WindowCounters counters_;
};

// Item 1 holds quantity 10, receipts 7, no write-offs, transfers out 1, no transfers in, and the sales
// counters empty, 3, 9 and 40.
TEST_F(StockPostingTest, EachKindChangesTheQuantityAndItsOwnCounters) {
  struct Case {
    MovementKind kind;
    const char* quantity;
    std::vector<std::pair<ItemField, const char*>> counters;
  };
  const Case cases[] = {
      {MovementKind::Receipt, "12", {{ItemField::Receipts, "9"}}},
      {MovementKind::TransferIn, "12", {{ItemField::Transin, "2"}}},
      {MovementKind::WriteOff, "8", {{ItemField::Writeoffs, "2"}}},
      {MovementKind::TransferOut, "8", {{ItemField::Transout, "3"}}},
      {MovementKind::Sale, "8",
       {{ItemField::SoldDay, "2"}, {ItemField::SoldWeek, "5"}, {ItemField::SoldMonth, "11"},
        {ItemField::SoldYear, "42"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(InfoOf(c.kind).control);
    WriteBytes(ItemFile(), ItemFileBytes(SmallItemFile()));
    ASSERT_EQ(Post("1", Only(c.kind), "2").file, ItemFileStatus::Ok);
    std::vector<ItemFields> expected = SmallItemFile();
    FieldOf(expected[0], ItemField::Quantity) = c.quantity;
    for (const auto& [field, text] : c.counters) FieldOf(expected[0], field) = text;
    EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
  }
}

TEST_F(StockPostingTest, ASaleOf2OnQuantity10WritesTheseBytes) {
  ASSERT_EQ(Post("1", Only(MovementKind::Sale), "2").file, ItemFileStatus::Ok);
  const std::string firstItem =
      "1\r\nABC-100        \r\nHex bolt M8 x 40              \r\n5 \r\n1.25    \r\n8     \r\n"
      "4     \r\n2.5\r\n7\r\n\r\n1\r\n\r\n2\r\n5\r\n11\r\n42\r\n";
  const std::string bytes = ReadBytes(ItemFile());
  EXPECT_EQ(bytes.substr(0, firstItem.size()), firstItem);
  EXPECT_EQ(bytes, ItemFileBytes(testing::AfterASaleOf2OnTheFirstItem()));
}

TEST_F(StockPostingTest, AmountsAndStoredTextsAreReadAsNumbers) {
  struct Case {
    const char* slot;
    MovementKind kind;
    const char* amount;
    int item;  // 0-based
    const char* quantity;
    ItemField counter;
    const char* counterText;
  };
  const Case cases[] = {
      {"1", MovementKind::Receipt, "-2", 0, "8", ItemField::Receipts, "5"},             // reverses
      {"4", MovementKind::Receipt, "0.3333", 3, "12.333", ItemField::Receipts, "0.3333"},  // cut to 6
      {"4", MovementKind::TransferIn, "0", 3, "12", ItemField::Transin, "0"},          // rewritten at 0
      {"4", MovementKind::WriteOff, "", 3, "12", ItemField::Writeoffs, "0"},           // empty amount is 0
      {"1", MovementKind::TransferOut, "2x", 0, "8", ItemField::Transout, "3"},        // reading stops at x
      {"4", MovementKind::Receipt, "999987", 3, "999999", ItemField::Receipts, "999987"},  // the widest
      {"4", MovementKind::Receipt, "999987.75", 3, "999999", ItemField::Receipts, "999987.75"},  // decimals cut
      {"1", MovementKind::TransferOut, "100009", 0, "-99999", ItemField::Transout, "100010"},  // with its sign
      {" 2.0 ", MovementKind::WriteOff, "1.5", 1, "8.5", ItemField::Writeoffs, "3.5"},  // slot as number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.slot) + " " + c.amount);
    WriteBytes(ItemFile(), ItemFileBytes(SmallItemFile()));
    ASSERT_EQ(Post(c.slot, Only(c.kind), c.amount).file, ItemFileStatus::Ok);
    std::vector<ItemFields> expected = SmallItemFile();
    FieldOf(expected[c.item], ItemField::Quantity) = c.quantity;
    FieldOf(expected[c.item], c.counter) = c.counterText;
    EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
  }
}

TEST_F(StockPostingTest, ANumberThatWouldBeCutOrIsNotFiniteIsRefusedAndNothingIsWritten) {
  struct Case {
    const char* what;
    const char* quantity;  // of the first item
    const char* receipts;  // of the first item
    MovementKind kind;
    const char* amount;
  };
  const Case cases[] = {
      {"receipt 1000000 on 12", "12", "7", MovementKind::Receipt, "1000000"},
      {"write-off 1000000 on 5", "5", "7", MovementKind::WriteOff, "1000000"},
      {"transfer out 1 on -99999", "-99999", "7", MovementKind::TransferOut, "1"},
      {"sale of 1E400", "10", "7", MovementKind::Sale, "1E400"},
      {"receipt of -1E400", "10", "7", MovementKind::Receipt, "-1E400"},
      {"a receipt onto the largest number", "10", "1.79769313486232E+308", MovementKind::Receipt, "1"},
      {"a quantity that needs the exponent form", "0", "7", MovementKind::Receipt, "1.5E-16"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    items_ = SmallItemFile();
    FieldOf(items_[0], ItemField::Quantity) = c.quantity;
    FieldOf(items_[0], ItemField::Receipts) = c.receipts;
    const std::string original = ItemFileBytes(items_);
    WriteBytes(ItemFile(), original);
    const PostingResult result = Post("1", Only(c.kind), c.amount);
    EXPECT_EQ(result.file, ItemFileStatus::Ok);
    EXPECT_EQ(result.refusal, PostingRefusal::OutOfRange);
    EXPECT_STREQ(PostingMessage(result), kPostingOutOfRangeText);
    EXPECT_EQ(ReadBytes(ItemFile()), original);
  }
}

TEST_F(StockPostingTest, AFileWhoseFieldsTheReaderCutsIsNotWritten) {
  for (const testing::FileTheReaderCuts& file : testing::FilesTheReaderCuts()) {
    for (const char* slot : {"", "1"}) {  // a Save that posts nothing, and one that posts
      SCOPED_TRACE(std::string(file.what) + ", slot " + slot);
      WriteBytes(ItemFile(), file.bytes);
      const PostingResult result = PostMovement(slot[0] ? std::optional<PostedItem>(PostedItem{1, "ABC-100"})
                                                        : std::nullopt,
                                                Only(MovementKind::Receipt), "5", counters_, ItemFile());
      EXPECT_EQ(result.file, ItemFileStatus::CommaOrQuote);
      EXPECT_STREQ(PostingMessage(result), kItemFileErrorText);
      EXPECT_TRUE(ReadBytes(ItemFile()) == file.bytes);
    }
  }
}

TEST_F(StockPostingTest, OnlyTheChosenItemOfASlotThatRepeatsIsPosted) {
  // Slot 2 twice, and the last item again, number and slot alike, which only its first copy answers.
  FieldOf(items_[3], ItemField::LineNo) = "2";
  items_.push_back(items_[3]);
  struct Case {
    const char* itemNumber;
    int posted;
  };
  const Case cases[] = {{"AB", 1}, {"XY-7", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.itemNumber);
    WriteBytes(ItemFile(), ItemFileBytes(items_));
    const PostingResult result = Post("2", Only(MovementKind::Receipt), "5", c.itemNumber);
    ASSERT_EQ(result.file, ItemFileStatus::Ok);
    EXPECT_EQ(result.refusal, PostingRefusal::None);
    std::vector<ItemFields> expected = items_;
    const double quantity = NumberFromText(FieldOf(expected[c.posted], ItemField::Quantity));
    FieldOf(expected[c.posted], ItemField::Quantity) = NumberText(quantity + 5);
    FieldOf(expected[c.posted], ItemField::Receipts) = "5";
    EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
  }
}

TEST_F(StockPostingTest, AnItemNoLongerInTheFileIsRefusedAndNothingIsWritten) {
  const std::string original = ItemFileBytes(items_);
  const PostingResult result = Post("2", Only(MovementKind::Receipt), "5", "ABC-100");  // slot 1's number
  EXPECT_EQ(result.file, ItemFileStatus::Ok);
  EXPECT_EQ(result.refusal, PostingRefusal::ItemGone);
  EXPECT_STREQ(PostingMessage(result), kItemGoneText);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
}

TEST_F(StockPostingTest, NothingIsPostedWithoutASlotOrAKind) {
  // An item whose slot number reads as 0 is not taken for an empty slot box.
  FieldOf(items_[2], ItemField::LineNo) = "";
  const std::string original = ItemFileBytes(items_);
  WriteBytes(ItemFile(), original);
  EXPECT_EQ(Post("", Only(MovementKind::Receipt), "5").file, ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
  EXPECT_EQ(Post("  ", Only(MovementKind::Receipt), "5").file, ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
  EXPECT_EQ(Post("1", ChosenKinds{}, "5").file, ItemFileStatus::Ok);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
}

TEST_F(StockPostingTest, TwoKindsAtOnceChangeTheQuantityInTurn) {
  ChosenKinds kinds = Only(MovementKind::Receipt);
  kinds[static_cast<int>(MovementKind::Sale)] = true;
  ASSERT_EQ(Post("1", kinds, "3").file, ItemFileStatus::Ok);
  std::vector<ItemFields> expected = SmallItemFile();
  FieldOf(expected[0], ItemField::Receipts) = "10";
  FieldOf(expected[0], ItemField::SoldDay) = "3";
  FieldOf(expected[0], ItemField::SoldWeek) = "6";
  FieldOf(expected[0], ItemField::SoldMonth) = "12";
  FieldOf(expected[0], ItemField::SoldYear) = "43";
  EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
}

TEST_F(StockPostingTest, AFileThatCannotBeReadOrWrittenIsLeftAsItWas) {
  const std::string cut = ItemFileBytes(items_) + "5\r\nLAST\r\n";
  WriteBytes(ItemFile(), cut);
  EXPECT_EQ(Post("1", Only(MovementKind::Receipt), "5").file, ItemFileStatus::EndsInsideItem);
  EXPECT_EQ(ReadBytes(ItemFile()), cut);

  const std::string whole = ItemFileBytes(items_);
  WriteBytes(ItemFile(), whole);
  files::FailWritesAfterLinesForTesting(20);
  EXPECT_EQ(Post("1", Only(MovementKind::Receipt), "5").file, ItemFileStatus::CannotWrite);
  EXPECT_EQ(ReadBytes(ItemFile()), whole);
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));

  std::filesystem::remove(ItemFile());
  EXPECT_EQ(Post("1", Only(MovementKind::Receipt), "5").file, ItemFileStatus::CannotOpen);
  EXPECT_FALSE(std::filesystem::exists(ItemFile()));
}

}  // namespace
}  // namespace korvane
