// The Adjust Inventory window worked through the forms test driver on a small item file, each posting
// checked against the bytes of the rewritten file.
#include <gtest/gtest.h>

#include "KorvaneWindowsFixture.h"
#include "items/MainMenuWindow.h"
#include "movements/AdjustInventoryWindow.h"
#include "movements/MovementKind.h"
#include "movements/StockPosting.h"
#include "files/SequentialFiles.h"
#include "items/ItemFile.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::kFontSizeDispid;
using testing::kValueDispid;
using testing::SmallItemFile;

class AdjustInventoryWindow : public testing::KorvaneWindowsTest {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    ui_.Show<Form1>().Click("InventoryAdjustments");
    ASSERT_TRUE(ui_.IsVisible("Form3"));
    testing::SwitchCapsLockOff();  // the main menu switched it on
  }

  forms::testing::DrivenForm Window() { return ui_.On("Form3"); }

  std::vector<std::string> ChosenKinds() {
    std::vector<std::string> chosen;
    for (const MovementKindInfo& info : kMovementKinds) {
      if (Property("Form3", info.control, kValueDispid) == 0) chosen.push_back(info.control);
    }
    return chosen;
  }

  void Post(const char* kind, const std::string& item, const std::string& amount) {
    Window().Click(kind).Type("Text38", item).PressEnter("Text38").Type("Text36", amount).PressEnter("Text36");
    Window().Click("SaveButton4");
  }

  void ExpectTypedPageKept(const char* kind, const char* itemNumber, const char* amount) {
    EXPECT_EQ(Window().Text("Text38"), itemNumber);
    EXPECT_EQ(Window().Text("Text36"), amount);
    EXPECT_NE(Window().Text("Text16"), "");
    EXPECT_EQ(ChosenKinds(), std::vector<std::string>{kind});
  }

  void ExpectResetPage() {
    for (const char* box : {"Text35", "Text36", "Text37", "Text38", "Text16"}) EXPECT_EQ(Window().Text(box), "") << box;
    EXPECT_TRUE(ChosenKinds().empty());
    EXPECT_EQ(BlinkingMarker(), 1);
    EXPECT_EQ(ui_.Focused(), "Form3.ItemReceipts");
  }
};

TEST_F(AdjustInventoryWindow, LoadsWithNoKindChosenAndStepOneBlinking) {
  EXPECT_EQ(Window().Caption(), "Adjust Inventory");
  EXPECT_TRUE(ChosenKinds().empty());
  EXPECT_EQ(BlinkingMarker(), 1);
  EXPECT_EQ(Window().Text("Text38"), "");
}

TEST_F(AdjustInventoryWindow, ClickingAnotherKindChoosesExactlyIt) {
  Window().Click("ItemReceipts");
  EXPECT_EQ(ChosenKinds(), std::vector<std::string>{"ItemReceipts"});
  EXPECT_EQ(BlinkingMarker(), 2);
  EXPECT_EQ(ui_.Focused(), "Form3.Text38");
  Window().Click("Sales");
  EXPECT_EQ(ChosenKinds(), std::vector<std::string>{"Sales"});
  EXPECT_EQ(BlinkingMarker(), 2);
}

// Each lookup is followed by a receipt of 1, so the item found is also the one the file shows posted.
TEST_F(AdjustInventoryWindow, TheLookupShowsTheFirstItemWhoseNumberBeginsWithTheTypedText) {
  struct Case {
    const char* typed;
    const char* shown;
    const char* description;
    const char* quantity;
    const char* slot;
    int row;  // the item posted, or -1
    const char* quantityAfter;
    const char* receiptsAfter;
  };
  const Case cases[] = {
      // Enter in an empty box: the first item.
      {"", "", "Hex bolt M8 x 40              ", "10    ", "1", 0, "11", "8"},
      // A prefix: the first in file order.
      {"AB", "AB", "Hex bolt M8 x 40              ", "10    ", "1", 0, "11", "8"},
      // AB and a blank: only the item numbered AB.
      {"AB ", "AB ", "Flat washer M8                ", "10    ", "2", 1, "11", "1"},
      // Lower case folded to upper case.
      {"xy-7", "XY-7", "Lock nut M8                   ", "0012  ", "4", 3, "13", "1"},
      // Nothing found: the boxes are emptied and nothing is posted.
      {"ZZ", "ZZ", "", "", "", -1, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    WriteItemFile(ItemFileBytes(SmallItemFile()));
    Window().Click("ItemReceipts").Type("Text38", c.typed);
    EXPECT_EQ(Window().Text("Text38"), c.shown);
    Window().PressEnter("Text38");
    EXPECT_EQ(Window().Text("Text35"), c.description);
    EXPECT_EQ(Window().Text("Text37"), c.quantity);
    EXPECT_EQ(Window().Text("Text16"), c.slot);
    EXPECT_EQ(BlinkingMarker(), 3);
    EXPECT_EQ(ui_.Focused(), "Form3.Text36");

    Window().Type("Text36", "1").PressEnter("Text36").Click("SaveButton4");
    std::vector<ItemFields> expected = SmallItemFile();
    if (c.row >= 0) {
      FieldOf(expected[c.row], ItemField::Quantity) = c.quantityAfter;
      FieldOf(expected[c.row], ItemField::Receipts) = c.receiptsAfter;
    }
    EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
    ExpectResetPage();
  }
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(AdjustInventoryWindow, ASaleOf2OnQuantity10WithAnEmptySoldDay) {
  Window().Click("Sales").Type("Text38", "AB").PressEnter("Text38").Type("Text36", "2");
  EXPECT_EQ(BlinkingMarker(), 3);
  Window().PressEnter("Text36");
  EXPECT_EQ(BlinkingMarker(), 4);
  EXPECT_EQ(ui_.Focused(), "Form3.SaveButton4");
  Window().Click("SaveButton4");
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(testing::AfterASaleOf2OnTheFirstItem()));
  ExpectResetPage();
}

TEST_F(AdjustInventoryWindow, TypedAmountsArePostedAsNumbers) {
  struct Case {
    const char* kind;
    const char* item;
    const char* amount;
    const char* shown;
    int row;
    const char* quantity;
    ItemField counter;
    const char* counterText;
  };
  const Case cases[] = {
      {"ItemReceipts", "AB", "-2", "-2", 0, "8", ItemField::Receipts, "5"},            // a negative receipt
      {"ItemReceipts", "XY", "0.3333", "0.3333", 3, "12.333", ItemField::Receipts, "0.3333"},  // cut to 6
      {"ItemTransfersOut", "AB ", "1e1", "1E1", 1, "0", ItemField::Transout, "10"},   // folded to upper case
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amount);
    WriteItemFile(ItemFileBytes(SmallItemFile()));
    Window().Click(c.kind).Type("Text38", c.item).PressEnter("Text38").Type("Text36", c.amount);
    EXPECT_EQ(Window().Text("Text36"), c.shown);
    Window().PressEnter("Text36").Click("SaveButton4");
    std::vector<ItemFields> expected = SmallItemFile();
    FieldOf(expected[c.row], ItemField::Quantity) = c.quantity;
    FieldOf(expected[c.row], c.counter) = c.counterText;
    EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  }
}

TEST_F(AdjustInventoryWindow, SaveAfterALookupThatFoundNothingPostsNothing) {
  const std::string original = ItemFileBytes(SmallItemFile());
  Window().Click("ItemReceipts").Type("Text38", "XY").PressEnter("Text38");
  ASSERT_EQ(Window().Text("Text16"), "4");
  Window().Click("RefreshAdJInv").Click("ItemReceipts").Type("Text38", "ZZ").PressEnter("Text38");
  Window().Type("Text36", "5").PressEnter("Text36").Click("SaveButton4");
  EXPECT_EQ(ItemFileNow(), original);
  ExpectResetPage();
}

TEST_F(AdjustInventoryWindow, AnItemFileCutShortIsReportedAndLeftAsItWas) {
  const std::string cut = ItemFileBytes(SmallItemFile()) + "5\r\nLAST\r\n";
  WriteItemFile(cut);
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click("ItemReceipts").Type("Text38", "ZZ").PressEnter("Text38");
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
  ExpectResetPage();

  ui_.AnswerNextMessageBox(IDOK);
  Post("ItemReceipts", "AB", "5");
  EXPECT_EQ(ui_.MessageBoxes().size(), 2u);
  EXPECT_EQ(ItemFileNow(), cut);
  ExpectTypedPageKept("ItemReceipts", "AB", "5");
}

class AdjustInventoryWindowOnStandIns : public AdjustInventoryWindow {
 protected:
  bool OnStandIns() const override { return true; }
};

// A kind whose button cannot tell its Value is not taken as chosen.
TEST_F(AdjustInventoryWindowOnStandIns, AKindButtonWhoseValueCannotBeReadIsNotPosted) {
  standIns_->RefuseValueReads("Sales");
  Post("ItemReceipts", "AB", "5");
  std::vector<ItemFields> expected = SmallItemFile();
  FieldOf(expected[0], ItemField::Quantity) = "15";
  FieldOf(expected[0], ItemField::Receipts) = "12";
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// A Save that writes nothing tells why, and the page keeps what the user typed for another try.
TEST_F(AdjustInventoryWindow, EachSaveThatWritesNothingHasItsMessageAndKeepsThePage) {
  std::vector<ItemFields> quoted = SmallItemFile();
  FieldOf(quoted[2], ItemField::Description) = "\"Big\" hammer";
  struct Case {
    const char* what;
    std::string bytes;
    long failWritesAfter;
    const char* amount;
    const char* message;
  };
  const Case cases[] = {
      {"a write that fails", ItemFileBytes(SmallItemFile()), 3, "5", kItemFileNotSavedText},
      {"a quote that the reader cuts", ItemFileBytes(quoted), -1, "5", kItemFileErrorText},
      {"a quantity beyond its 6 characters", ItemFileBytes(SmallItemFile()), -1, "1000000", kPostingOutOfRangeText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteItemFile(c.bytes);
    ui_.ForgetMessageBoxes();
    Window().Click("RefreshAdJInv");
    files::FailWritesAfterLinesForTesting(c.failWritesAfter);
    ui_.AnswerNextMessageBox(IDOK);
    Post("ItemReceipts", "AB", c.amount);
    files::FailWritesAfterLinesForTesting(-1);
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, c.message);
    EXPECT_EQ(ui_.MessageBoxes()[0].title, "Error Condition Query");
    EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
    EXPECT_EQ(ItemFileNow(), c.bytes);
    ExpectTypedPageKept("ItemReceipts", "AB", c.amount);
  }

  // No kind chosen: the item looked up and the amount typed are kept.
  WriteItemFile(ItemFileBytes(SmallItemFile()));
  ui_.ForgetMessageBoxes();
  Window().Click("RefreshAdJInv");
  Window().Type("Text38", "AB").PressEnter("Text38").Type("Text36", "5").PressEnter("Text36");
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click("SaveButton4");
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, kChooseOneKindText);
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()));
  EXPECT_EQ(Window().Text("Text16"), "1");
  EXPECT_EQ(Window().Text("Text36"), "5");
}

TEST_F(AdjustInventoryWindow, HoverChangesTheKindButtonsCaptionSize) {
  Window().MoveMouseOver("ItemWriteOffs");
  EXPECT_NEAR(Property("Form3", "ItemWriteOffs", kFontSizeDispid), 10, testing::kFontSizeStep);
  Window().MoveMouseOver("Sales");
  EXPECT_NEAR(Property("Form3", "ItemWriteOffs", kFontSizeDispid), 8, testing::kFontSizeStep);
  EXPECT_NEAR(Property("Form3", "Sales", kFontSizeDispid), 12, testing::kFontSizeStep);
  Window().MoveMouseOver("RefreshAdJInv");
  EXPECT_NEAR(Property("Form3", "Sales", kFontSizeDispid), 10, testing::kFontSizeStep);
  EXPECT_NEAR(Property("Form3", "RefreshAdJInv", kFontSizeDispid), 12, testing::kFontSizeStep);
}

}  // namespace
}  // namespace korvane
