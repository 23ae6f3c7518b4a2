#include "movements/AdjustInventoryPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "files/SequentialFiles.h"
#include "files/tests/TempFolder.h"
#include "movements/StockPosting.h"
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

// The window's controls as the page sees them. The kind buttons behave as check buttons do: a click
// toggles the button and fires its Click; setting Value to True on an unchecked button checks it and
// fires its Click inside the set.
class WindowOfTheTest : public AdjustPageControls {
 public:
  AdjustInventoryPage* page = nullptr;
  std::map<AdjustBox, std::string> texts;
  std::array<int, kMovementKindCount> values{1, 1, 1, 1, 1};  // stored checked
  std::array<bool, kMovementKindCount> refusedReads{};  // buttons whose Value cannot be read
  std::array<int, 4> marquees{};
  AdjustFocus focus = AdjustFocus::Text38;
  int errorMessages = 0;
  std::string lastMessage;

  std::string Text(AdjustBox box) override { return texts[box]; }
  void SetText(AdjustBox box, const std::string& text) override { texts[box] = text; }
  std::optional<long> KindValue(MovementKind kind) override {
    if (refusedReads[static_cast<int>(kind)]) return std::nullopt;
    return values[static_cast<int>(kind)];
  }
  void CheckKind(MovementKind kind) override {
    int& value = values[static_cast<int>(kind)];
    if (value == 1) return;
    value = 1;
    page->KindClick(kind);
  }
  void SetMarquee(StepMarker marker, int style) override { marquees[static_cast<int>(marker) - 1] = style; }
  void SetFocusTo(AdjustFocus target) override { focus = target; }
  void ShowMessage(const char* text) override {
    ++errorMessages;
    lastMessage = text;
  }

  // The user's actions.
  void Click(MovementKind kind) {
    int& value = values[static_cast<int>(kind)];
    value = value == 0 ? 1 : 0;
    page->KindClick(kind);
  }
  void Type(AdjustBox box, const std::string& keys) {
    for (char c : keys) {
      int key = static_cast<unsigned char>(c);
      if (box == AdjustBox::Text38) page->Text38KeyPress(key);
      else page->Text36KeyPress(key);
      if (key != kEnterKey) texts[box] += static_cast<char>(key);
    }
  }

  // The one marker that blinks, or 0 when not exactly one does.
  int BlinkingMarker() const {
    int blinking = 0;
    for (int i = 0; i < 4; ++i) {
      if (marquees[i] == kBlinkingMarquee) {
        if (blinking) return 0;
        blinking = i + 1;
      } else if (marquees[i] != kNoMarquee) {
        return 0;
      }
    }
    return blinking;
  }
  std::vector<MovementKind> Chosen() const {
    std::vector<MovementKind> chosen;
    for (const MovementKindInfo& info : kMovementKinds) {
      if (values[static_cast<int>(info.kind)] == 0) chosen.push_back(info.kind);
    }
    return chosen;
  }
};

class AdjustInventoryPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(ItemFile(), ItemFileBytes(items_));
    window_.page = &page_;
    page_.FormLoad();
  }
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    files::CloseAllFiles();
  }
  std::string ItemFile() const { return folder_.File("Item.dat"); }

  // An item file of the test's items over and over, one item more than the table holds; its bytes.
  std::string WriteOneItemMoreThanTheTableHolds() {
    std::string bytes;
    for (int item = 0; item <= ItemTableColumns::kLastRow; ++item) bytes += ItemFileBytes({items_[item % 4]});
    WriteBytes(ItemFile(), bytes);
    return bytes;
  }

  void ExpectResetPage() {
    for (AdjustBox box :
         {AdjustBox::Text35, AdjustBox::Text36, AdjustBox::Text37, AdjustBox::Text38, AdjustBox::Text16}) {
      EXPECT_EQ(window_.texts[box], "") << static_cast<int>(box);
    }
    EXPECT_TRUE(window_.Chosen().empty());
    EXPECT_EQ(window_.BlinkingMarker(), 1);
    EXPECT_EQ(window_.focus, AdjustFocus::ItemReceipts);
  }

  // After a Save that wrote nothing: the boxes as the user left them, the kind still chosen.
  void ExpectTypedPageKept(const char* itemNumber, const char* slot, const char* amount) {
    EXPECT_EQ(window_.texts[AdjustBox::Text38], itemNumber);
    EXPECT_EQ(window_.texts[AdjustBox::Text16], slot);
    EXPECT_EQ(window_.texts[AdjustBox::Text36], amount);
    EXPECT_EQ(window_.Chosen().size(), 1u);
  }

  // Choose the kind, look the item up, type the amount and save, as the user does.
  void Post(MovementKind kind, const std::string& itemNumber, const std::string& amount) {
    window_.Click(kind);
    window_.Type(AdjustBox::Text38, itemNumber + "\r");
    window_.Type(AdjustBox::Text36, amount + "\r");
    page_.SaveClick();
  }

  TempFolder folder_;
  std::vector<ItemFields> items_ = SmallItemFile();
  WindowOfTheTest window_;
  AdjustInventoryPage page_{window_, folder_.File("Item.dat")};
};

TEST_F(AdjustInventoryPageTest, LoadEmptiesTheTypedBoxesAndLeavesNoKindChosen) {
  window_.texts = {{AdjustBox::Text35, "x"}, {AdjustBox::Text36, "x"}, {AdjustBox::Text37, "x"},
                   {AdjustBox::Text38, "x"}, {AdjustBox::Text16, "9"}};
  window_.values = {0, 0, 0, 0, 1};
  page_.FormLoad();
  EXPECT_EQ(window_.texts[AdjustBox::Text35], "");
  EXPECT_EQ(window_.texts[AdjustBox::Text36], "");
  EXPECT_EQ(window_.texts[AdjustBox::Text37], "");
  EXPECT_EQ(window_.texts[AdjustBox::Text38], "");
  EXPECT_EQ(window_.texts[AdjustBox::Text16], "9");
  EXPECT_TRUE(window_.Chosen().empty());
  EXPECT_EQ(window_.BlinkingMarker(), 1);
}

TEST_F(AdjustInventoryPageTest, ClickingAKindChoosesExactlyThatKindAlsoWhenSwitching) {
  for (const MovementKindInfo& first : kMovementKinds) {
    for (const MovementKindInfo& second : kMovementKinds) {
      if (first.kind == second.kind) continue;
      SCOPED_TRACE(std::string(first.control) + " then " + second.control);
      page_.RefreshClick();
      window_.Click(first.kind);
      EXPECT_EQ(window_.Chosen(), std::vector<MovementKind>{first.kind});
      window_.Click(second.kind);
      EXPECT_EQ(window_.Chosen(), std::vector<MovementKind>{second.kind});
      EXPECT_EQ(window_.BlinkingMarker(), 2);
      EXPECT_EQ(window_.focus, AdjustFocus::Text38);
    }
  }
  // A second click on the chosen kind checks it again: none is chosen.
  ASSERT_EQ(window_.Chosen().size(), 1u);
  window_.Click(window_.Chosen().front());
  EXPECT_TRUE(window_.Chosen().empty());
}

TEST_F(AdjustInventoryPageTest, TheLookupShowsTheFirstItemWhoseNumberBeginsWithTheTypedText) {
  struct Case {
    const char* keys;
    const char* shown;  // what Text38 holds
    int item;           // 0-based; -1: nothing found
  };
  const Case cases[] = {
      {"", "", 0}, {"AB", "AB", 0}, {"AB ", "AB ", 1}, {"ab ", "AB ", 1}, {"xy-7", "XY-7", 3},
      {"ZZ", "ZZ", -1}, {"XY-7           X", "XY-7           X", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    page_.RefreshClick();
    window_.Click(MovementKind::Receipt);
    window_.Type(AdjustBox::Text38, c.keys);
    EXPECT_EQ(window_.BlinkingMarker(), 2);
    window_.Type(AdjustBox::Text38, "\r");
    EXPECT_EQ(window_.texts[AdjustBox::Text38], c.shown);
    if (c.item < 0) {
      EXPECT_EQ(window_.texts[AdjustBox::Text35], "");
      EXPECT_EQ(window_.texts[AdjustBox::Text37], "");
      EXPECT_EQ(window_.texts[AdjustBox::Text16], "");
    } else {
      ItemFields& item = items_[c.item];
      EXPECT_EQ(window_.texts[AdjustBox::Text35], FitToWidth(FieldOf(item, ItemField::Description), 30));
      EXPECT_EQ(window_.texts[AdjustBox::Text37], FitToWidth(FieldOf(item, ItemField::Quantity), 6));
      EXPECT_EQ(window_.texts[AdjustBox::Text16], FieldOf(item, ItemField::LineNo));
    }
    EXPECT_EQ(window_.BlinkingMarker(), 3);
    EXPECT_EQ(window_.focus, AdjustFocus::Text36);
    EXPECT_EQ(window_.errorMessages, 0);
  }
}

TEST_F(AdjustInventoryPageTest, ALookupThatFindsNothingLeavesNoSlotForSave) {
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "XY\r");
  ASSERT_EQ(window_.texts[AdjustBox::Text16], "4");
  window_.texts[AdjustBox::Text38].clear();
  window_.Type(AdjustBox::Text38, "ZZ\r");
  EXPECT_EQ(window_.texts[AdjustBox::Text16], "");
  EXPECT_EQ(window_.texts[AdjustBox::Text35], "");
  EXPECT_EQ(window_.texts[AdjustBox::Text37], "");
  window_.Type(AdjustBox::Text36, "5\r");
  page_.SaveClick();
  EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(items_));
  EXPECT_EQ(window_.errorMessages, 0);
  ExpectResetPage();
}

TEST_F(AdjustInventoryPageTest, EachStepMakesTheNextMarkerBlink) {
  EXPECT_EQ(window_.BlinkingMarker(), 1);
  window_.Click(MovementKind::Sale);
  EXPECT_EQ(window_.BlinkingMarker(), 2);
  EXPECT_EQ(window_.focus, AdjustFocus::Text38);
  window_.Type(AdjustBox::Text38, "AB\r");
  EXPECT_EQ(window_.BlinkingMarker(), 3);
  window_.Type(AdjustBox::Text36, "2");
  EXPECT_EQ(window_.BlinkingMarker(), 3);
  window_.Type(AdjustBox::Text36, "\r");
  EXPECT_EQ(window_.BlinkingMarker(), 4);
  EXPECT_EQ(window_.focus, AdjustFocus::SaveButton4);
  page_.SaveClick();
  ExpectResetPage();
}

TEST_F(AdjustInventoryPageTest, ASaleOf2OnQuantity10IsWrittenToTheItemFile) {
  Post(MovementKind::Sale, "AB", "2");
  EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(testing::AfterASaleOf2OnTheFirstItem()));
  EXPECT_EQ(window_.errorMessages, 0);
  ExpectResetPage();
}

TEST_F(AdjustInventoryPageTest, AmountsAsTypedArePosted) {
  struct Case {
    MovementKind kind;
    const char* item;
    const char* amount;
    int row;
    const char* quantity;
    ItemField counter;
    const char* counterText;
  };
  const Case cases[] = {
      {MovementKind::Receipt, "AB", "-2", 0, "8", ItemField::Receipts, "5"},
      {MovementKind::Receipt, "XY", "0.3333", 3, "12.333", ItemField::Receipts, "0.3333"},
      {MovementKind::TransferOut, "ab ", "1e1", 1, "0", ItemField::Transout, "10"},  // shown as 1E1
      {MovementKind::WriteOff, "XY", "", 3, "12", ItemField::Writeoffs, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " " + c.amount);
    WriteBytes(ItemFile(), ItemFileBytes(SmallItemFile()));
    window_.Click(c.kind);
    window_.Type(AdjustBox::Text38, std::string(c.item) + "\r");
    window_.Type(AdjustBox::Text36, c.amount);
    for (char& ch : window_.texts[AdjustBox::Text36]) EXPECT_FALSE(ch >= 'a' && ch <= 'z');
    window_.Type(AdjustBox::Text36, "\r");
    page_.SaveClick();
    std::vector<ItemFields> expected = SmallItemFile();
    FieldOf(expected[c.row], ItemField::Quantity) = c.quantity;
    FieldOf(expected[c.row], c.counter) = c.counterText;
    EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
  }
}

TEST_F(AdjustInventoryPageTest, SavePostsToTheItemTheLookupFoundWhenItsSlotRepeats) {
  FieldOf(items_[3], ItemField::LineNo) = "2";  // slot 2 twice: AB and XY-7
  struct Case {
    const char* typed;
    int posted;
    const char* quantity;
  };
  const Case cases[] = {{"AB ", 1, "15"}, {"XY", 3, "17"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    WriteBytes(ItemFile(), ItemFileBytes(items_));
    Post(MovementKind::Receipt, c.typed, "5");
    std::vector<ItemFields> expected = items_;
    FieldOf(expected[c.posted], ItemField::Quantity) = c.quantity;
    FieldOf(expected[c.posted], ItemField::Receipts) = "5";
    EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
    EXPECT_EQ(window_.errorMessages, 0);
    ExpectResetPage();
  }
}

TEST_F(AdjustInventoryPageTest, AnItemThatLeftTheFileAfterTheLookupIsNotPostedAndTheUserIsTold) {
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "AB\r");
  window_.Type(AdjustBox::Text36, "5\r");
  std::vector<ItemFields> changed = items_;
  FieldOf(changed[0], ItemField::ItemNumber) = "ZZ-1";  // another program renumbered it meanwhile
  WriteBytes(ItemFile(), ItemFileBytes(changed));
  page_.SaveClick();
  EXPECT_EQ(window_.lastMessage, kItemGoneText);
  EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(changed));
  ExpectTypedPageKept("AB", "1", "5");
}

TEST_F(AdjustInventoryPageTest, AQuantityThatOutgrowsItsFieldIsRefusedAndThePageKept) {
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "XY\r");
  window_.Type(AdjustBox::Text36, "1000000\r");
  page_.SaveClick();
  EXPECT_EQ(window_.lastMessage, kPostingOutOfRangeText);
  EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(items_));
  ExpectTypedPageKept("XY", "4", "1000000");
}

TEST_F(AdjustInventoryPageTest, SaveWithoutALookupPostsNothing) {
  const std::string original = ItemFileBytes(items_);
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text36, "5\r");
  page_.SaveClick();
  EXPECT_EQ(ReadBytes(ItemFile()), original);
  ExpectResetPage();
  EXPECT_EQ(window_.errorMessages, 0);
}

// A kind is chosen only by a read that succeeds and says unchecked; Save posts only when exactly one is.
TEST_F(AdjustInventoryPageTest, SavePostsOnlyWhenExactlyOneKindReadsChosen) {
  struct Case {
    const char* what;
    std::array<int, kMovementKindCount> values;  // receipt, transfer in, write-off, transfer out, sale
    std::array<bool, kMovementKindCount> refused;
    bool posted;  // as a receipt of 5 on the first item
  };
  const Case cases[] = {
      {"receipts chosen, the sales read refused", {0, 1, 1, 1, 0}, {false, false, false, false, true}, true},
      {"receipts chosen, every other read refused", {0, 0, 0, 0, 0}, {false, true, true, true, true}, true},
      {"no kind chosen", {1, 1, 1, 1, 1}, {}, false},
      {"every read refused", {0, 0, 0, 0, 0}, {true, true, true, true, true}, false},
      {"two kinds read unchecked", {0, 1, 1, 1, 0}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(ItemFile(), ItemFileBytes(items_));
    page_.RefreshClick();
    window_.errorMessages = 0;
    window_.Type(AdjustBox::Text38, "AB\r");
    window_.Type(AdjustBox::Text36, "5\r");
    window_.values = c.values;
    window_.refusedReads = c.refused;
    page_.SaveClick();
    window_.refusedReads = {};
    std::vector<ItemFields> expected = items_;
    if (c.posted) {
      FieldOf(expected[0], ItemField::Quantity) = "15";
      FieldOf(expected[0], ItemField::Receipts) = "12";
    }
    EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
    EXPECT_EQ(window_.errorMessages, c.posted ? 0 : 1);
    if (!c.posted) {
      EXPECT_EQ(window_.lastMessage, kChooseOneKindText);
      EXPECT_EQ(window_.texts[AdjustBox::Text38], "AB");
      EXPECT_EQ(window_.texts[AdjustBox::Text36], "5");
    }
  }
}

TEST_F(AdjustInventoryPageTest, AnUnreadableItemFileIsReportedAndLeftAsItWas) {
  const std::string cut = ItemFileBytes(items_) + "5\r\n";
  WriteBytes(ItemFile(), cut);
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "ZZ\r");  // reads to the cut
  EXPECT_EQ(window_.errorMessages, 1);
  ExpectResetPage();

  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "AB\r");  // found before the cut
  ASSERT_EQ(window_.texts[AdjustBox::Text16], "1");
  window_.Type(AdjustBox::Text36, "5\r");
  page_.SaveClick();
  EXPECT_EQ(window_.errorMessages, 2);
  EXPECT_EQ(window_.lastMessage, kItemFileErrorText);
  EXPECT_EQ(ReadBytes(ItemFile()), cut);
  ExpectTypedPageKept("AB", "1", "5");
}

TEST_F(AdjustInventoryPageTest, AnItemFileThatCannotBeWrittenIsReportedAndLeftAsItWas) {
  const std::string original = ItemFileBytes(items_);
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "AB\r");
  window_.Type(AdjustBox::Text36, "5\r");
  files::FailWritesAfterLinesForTesting(3);
  page_.SaveClick();
  files::FailWritesAfterLinesForTesting(-1);
  EXPECT_EQ(window_.errorMessages, 1);
  EXPECT_EQ(window_.lastMessage, kItemFileNotSavedText);
  EXPECT_EQ(ReadBytes(ItemFile()), original);
  EXPECT_FALSE(std::filesystem::exists(ItemFile() + ".tmp"));
  ExpectTypedPageKept("AB", "1", "5");

  // The same Save again, now that the disk takes it.
  page_.SaveClick();
  std::vector<ItemFields> expected = items_;
  FieldOf(expected[0], ItemField::Quantity) = "15";
  FieldOf(expected[0], ItemField::Receipts) = "12";
  EXPECT_EQ(ReadBytes(ItemFile()), ItemFileBytes(expected));
  ExpectResetPage();
}

TEST_F(AdjustInventoryPageTest, AFileOfMoreItemsThanTheTableHoldsHasAMessageOfItsOwn) {
  const std::string bytes = WriteOneItemMoreThanTheTableHolds();
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "AB\r");
  window_.Type(AdjustBox::Text36, "5\r");
  page_.SaveClick();
  EXPECT_EQ(window_.lastMessage, kItemFileTooLongText);
  EXPECT_TRUE(ReadBytes(ItemFile()) == bytes);
  ExpectTypedPageKept("AB", "1", "5");
}

// The lookup reads up to the item it finds: the first item is found in a file that is too long, while a
// number that no item has reads on past the table's last row and sends the user to the Debug Inventory
// tool, as a file cut short does.
TEST_F(AdjustInventoryPageTest, ALookupThatReadsPastTheTablesLastRowGivesTheItemFileMessage) {
  const std::string bytes = WriteOneItemMoreThanTheTableHolds();
  window_.Click(MovementKind::Receipt);
  window_.Type(AdjustBox::Text38, "AB\r");
  EXPECT_EQ(window_.texts[AdjustBox::Text16], "1");
  EXPECT_EQ(window_.errorMessages, 0);
  window_.texts[AdjustBox::Text38].clear();
  window_.Type(AdjustBox::Text38, "ZZ\r");
  EXPECT_EQ(window_.errorMessages, 1);
  EXPECT_EQ(window_.lastMessage, kItemFileErrorText);
  ExpectResetPage();
  EXPECT_TRUE(ReadBytes(ItemFile()) == bytes);
}

TEST_F(AdjustInventoryPageTest, SaveClosesEveryOpenFileAndRefreshDoesNoFileWork) {
  const std::string other = folder_.File("other.txt");
  WriteBytes(other, "x\r\n");
  ASSERT_EQ(files::OpenFile(7, other, files::FileMode::Input), files::FileStatus::Ok);
  window_.Click(MovementKind::Sale);
  page_.RefreshClick();
  EXPECT_TRUE(files::IsFileOpen(7));
  ExpectResetPage();

  std::filesystem::remove(ItemFile());
  window_.Click(MovementKind::Sale);
  page_.RefreshClick();
  EXPECT_EQ(window_.errorMessages, 0);
  page_.SaveClick();
  EXPECT_FALSE(files::IsFileOpen(7));
}

TEST(FoldKeyToUpperCase, FoldsOnlyTheLettersAToZ) {
  EXPECT_EQ(FoldKeyToUpperCase('a'), 'A');
  EXPECT_EQ(FoldKeyToUpperCase('z'), 'Z');
  for (int key : {int{'A'}, int{'`'}, int{'{'}, int{'0'}, int{' '}, kEnterKey, 8, 0xE4}) EXPECT_EQ(FoldKeyToUpperCase(key), key);
}

}  // namespace
}  // namespace korvane
