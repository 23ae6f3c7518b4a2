// The master list window worked through the forms test driver on a small item file, each change checked
// against the bytes of the item file.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>

#include "KorvaneWindowsFixture.h"
#include "items/CategoryList.h"
#include "items/ItemFile.h"
#include "items/MainMenuWindow.h"
#include "items/MasterListLine.h"
#include "items/MasterListWindow.h"
#include "items/tests/ItemFileFixtures.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::kFontSizeDispid;
using testing::kMarqueeStyleDispid;
using testing::SmallItemFile;

constexpr long kFontBoldDispid = 3;

class MasterListWindow : public testing::KorvaneWindowsTest {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    ui_.Show<Form1>().Click("InventoryReports");
    ASSERT_TRUE(ui_.IsVisible("Form60"));
    testing::SwitchCapsLockOff();  // the main menu switched it on
  }

  forms::testing::DrivenForm Window() { return ui_.On("Form60"); }

  std::vector<std::string> Slots() {
    std::vector<std::string> slots;
    for (const std::string& line : Window().Lines("List1")) slots.push_back(line.substr(0, 4));
    return slots;
  }

  void ExpectOneMessage(const char* text) {
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    const auto& box = ui_.MessageBoxes()[0];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.style, 16u);
    EXPECT_EQ(box.title, "Error Condition Query");
    EXPECT_EQ(box.help_file, "DEMO.HLP");
    EXPECT_EQ(box.help_context, 1000u);
  }
};

TEST_F(MasterListWindow, LoadsBothListsAndMakesTheReminderBlink) {
  EXPECT_EQ(Window().Caption(), "Korvane");
  EXPECT_TRUE(Window().ControlVisible("ribTravelVia(1)"));
  EXPECT_EQ(testing::NumberOf(Window().Get().Hosted("ribTravelVia", 1).Property(kMarqueeStyleDispid)), 3);
  const std::vector<std::string> lines = Window().Lines("List1");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].size(), kMasterListLineWidth);
  EXPECT_EQ(lines[1].substr(0, 26), "0002  5    AB             ");
  EXPECT_EQ(Window().Lines("List2"), (std::vector<std::string>{"12  ", "5   "}));
  EXPECT_EQ(Window().ToolTip("List1"), "Click to change");
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(MasterListWindow, AnItemFileCutShortIsReportedWhenTheWindowLoads) {
  forms::Forms::Unload<Form60>();
  WriteItemFile(ItemFileBytes(SmallItemFile()) + "5\r\nLAST\r\n");
  ui_.AnswerNextMessageBox(IDOK);
  ui_.Show<Form60>();
  ExpectOneMessage("Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_EQ(Window().Lines("List1").size(), 4u);  // the items read before the cut
}

TEST_F(MasterListWindow, ClickingAnItemFillsTheEditRowAndFocusesTheCategory) {
  Window().ClickListLine("List1", 3);
  EXPECT_EQ(Window().Text("Text2"), "0004");
  EXPECT_EQ(Window().Text("Text16"), "4");
  EXPECT_EQ(Window().Text("Text3"), "XY-7           ");
  EXPECT_EQ(Window().Text("Text5"), "0.30");
  EXPECT_EQ(Window().Text("Text7"), "0012  ");
  EXPECT_EQ(ui_.Focused(), "Form60.Text4");
}

TEST_F(MasterListWindow, ChoosingACategoryListsOnlyItsItems) {
  Window().MouseDownOnListLine("List2", 0);
  EXPECT_EQ(Slots(), std::vector<std::string>{"0004"});
  Window().ClickListLine("List1", 0);
  EXPECT_EQ(Window().Text("Text16"), "4");
}

// The master list's lines of the item file: all items in the load's form, or one category's whole.
std::vector<std::string> ListedLines(const std::string& category = "") {
  std::vector<std::string> lines;
  (void)ForEachItem(
      [&](const ItemRecord& read) {
        ItemRecord item = read;
        if (category.empty()) FitCountersForView(item);
        if (category.empty() || item.Category.str().substr(0, 2) == category) lines.push_back(MasterListLine(item));
        return true;
      },
      testing::kItemFile);
  return lines;
}

TEST_F(MasterListWindow, ALongItemFileIsListedWholeInFileOrderAndItsLinesAnswerTheMouse) {
  forms::Forms::Unload<Form60>();
  WriteItemFile(testing::WellFormedItemFile(3000));
  testing::WriteBytes(testing::kCategoryFile, "0\r\n3\r\n");
  ui_.Show<Form60>();
  ASSERT_TRUE(ui_.MessageBoxes().empty());
  const std::vector<std::string> all = ListedLines();
  EXPECT_EQ(Window().Lines("List1"), all);
  HWND list = Window().Window("List1");
  HDC dc = GetDC(list);
  SIZE line{};
  {
    forms::SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, all[0].data(), static_cast<int>(all[0].size()), &line);
  }
  ReleaseDC(list, dc);
  const LRESULT extent = SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
  EXPECT_GE(extent, line.cx);
  EXPECT_LE(extent, line.cx + 8);

  Window().ClickListLine("List1", 2500);
  EXPECT_EQ(Window().ListIndex("List1"), 2500);
  EXPECT_EQ(Window().Text("Text16"), "2501");

  // Category 3 of the fixture: every seventh slot from 3 on, in file order.
  Window().MouseDownOnListLine("List2", 1);
  EXPECT_EQ(Window().ListIndex("List2"), 1);
  const std::vector<std::string> chosen = ListedLines("3 ");
  EXPECT_EQ(Window().Lines("List1"), chosen);
  Window().ClickListLine("List1", 400);
  EXPECT_EQ(Window().Text("Text16"), std::to_string(3 + 7 * 400));
}

TEST_F(MasterListWindow, ACommaRefusesTheNewItemUntilItIsRemoved) {
  const std::string before = ItemFileNow();
  Window().Click("AddEntry");
  EXPECT_EQ(Window().Text("Text16"), "5");
  EXPECT_EQ(Window().Text("Text3"), "OPEN");
  EXPECT_EQ(ui_.Focused(), "Form60.Text4");
  Window().Get().TextBoxNamed("Text3").SetText("NEW-1");  // in place of the proposed "OPEN"
  Window().Get().TextBoxNamed("Text6").SetText("");
  Window().Type("Text4", "12").Type("Text6", "Nuts, bolts").Type("Text7", "3");
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click("SaveButton");
  ExpectOneMessage("Error Condition Exists, Remove Quotes or Commas to Correct.");
  EXPECT_EQ(ui_.Focused(), "Form60.Text6");
  EXPECT_EQ(ItemFileNow(), before);

  Window().Get().TextBoxNamed("Text6").SetText("Nuts and bolts");
  Window().Click("SaveButton");
  const ItemFields added = {"5", "NEW-1", "Nuts and bolts", "12", "0", "3", "0", "0",
                            "0", "0",     "0",              "0",  "0", "0", "0", "0"};
  EXPECT_EQ(ItemFileNow(), before + ItemFileBytes({added}));
  EXPECT_EQ(Slots(), (std::vector<std::string>{"0001", "0002", "0003", "0004", "0005"}));
  EXPECT_EQ(Window().Text("Text16"), "");
  EXPECT_EQ(ui_.Focused(), "Form60.List1");
}

TEST_F(MasterListWindow, SavingAChangedItemRewritesItInPlace) {
  Window().ClickListLine("List1", 0);
  Window().Focus("Text6").PressKey("Text6", VK_HOME);
  Window().Type("Text6", "X");
  Window().Click("SaveButton");
  std::vector<ItemFields> expected = SmallItemFile();
  // The first item as its boxes showed it: the description as typed, the counters read as numbers.
  expected[0] = {"1", "ABC-100", "XHex bolt M8 x 40", "5", "1.25", "10", "4", "2.5",
                 "7", "0",       "1",                               "0", "0",    "3",  "9", "40"};
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(MasterListWindow, DeleteBlanksTheClickedItem) {
  Window().ClickListLine("List1", 1).Click("DeleteEntry");
  std::vector<ItemFields> expected = SmallItemFile();
  expected[1] = {"2", "OPEN", "", "5", "", "", "", "", "", "", "", "", "", "", "", ""};
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  EXPECT_EQ(Window().Lines("List1")[1].substr(0, 26), "0002  5    OPEN           ");
  EXPECT_EQ(ui_.Focused(), "Form60.List1");
}

TEST_F(MasterListWindow, ScreenSortAndRefreshRedoTheListsWithoutWriting) {
  const std::string before = ItemFileNow();
  Window().Click("AddEntry").Click("SortMasterList");
  EXPECT_EQ(Slots(), (std::vector<std::string>{"0004", "0001", "0002"}));
  EXPECT_EQ(Window().Text("Text16"), "");
  EXPECT_EQ(ui_.Focused(), "Form60.List2");
  Window().Click("RefreshRibbon");
  EXPECT_EQ(Slots(), (std::vector<std::string>{"0001", "0002", "0003", "0004"}));
  EXPECT_EQ(forms::Forms::Get<Form60>().Page().AddModeFlag(), kAddModeOff);
  EXPECT_EQ(ItemFileNow(), before);
}

TEST_F(MasterListWindow, HoverChangesTheRibbonsSizeAndThePrintButtonsWeight) {
  Window().MoveMouseOver("RefreshRibbon");
  EXPECT_NEAR(Property("Form60", "RefreshRibbon", kFontSizeDispid), 12, testing::kFontSizeStep);
  Window().MoveMouseOver("PrintAll");
  EXPECT_NEAR(Property("Form60", "RefreshRibbon", kFontSizeDispid), 10, testing::kFontSizeStep);
  EXPECT_EQ(Property("Form60", "PrintAll", kFontBoldDispid), -1);
  Window().MoveMouseOver("SortMasterList");
  EXPECT_EQ(Property("Form60", "PrintAll", kFontBoldDispid), 0);
  EXPECT_NEAR(Property("Form60", "SortMasterList", kFontSizeDispid), 12, testing::kFontSizeStep);
}

TEST_F(MasterListWindow, ThePrintButtonsPrintOnThePressOfTheMouse) {
  // The stand-ins raise no MouseDown of their own: the press is raised as the control raises it.
  const auto press = [this](const char* button) {
    forms::EventArgs args;
    args.mouse.button = forms::kLeftButton;
    ASSERT_TRUE(Window().Get().Raise(button, std::nullopt, "MouseDown", args));
    ui_.Pump();
  };
  Window().MouseDownOnListLine("List2", 1);  // "5   "
  press("PrintSelected");
  press("PrintAll");
  press("PrintAllSorted");
  const auto& documents = ui_.PrintedDocuments();
  ASSERT_EQ(documents.size(), 3u);
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[16];
  snprintf(date, sizeof date, "%02d-%02d-%04d", now.wMonth, now.wDay, now.wYear);
  EXPECT_EQ(documents[0].lines[2].Text(),
            std::string("                                PRINT-OUT OF PARTS IN CATEGORY CODE ORDER AS OF ") + date);
  EXPECT_EQ(documents[0].lines.size(), 6u + 2u);  // the two items of category 5
  EXPECT_EQ(documents[1].lines.size(), 6u + 4u);
  EXPECT_EQ(documents[2].lines.size(), 6u + 3u);  // the free slot's empty category is not listed
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(MasterListWindow, WithoutTheCategoryListRefreshScreenSortAndTheSortedPrintOutBlameTheList) {
  std::remove(testing::kCategoryFile);
  const auto press = [this](const char* button) {
    forms::EventArgs args;
    args.mouse.button = forms::kLeftButton;
    ASSERT_TRUE(Window().Get().Raise(button, std::nullopt, "MouseDown", args));
    ui_.Pump();
  };
  const std::function<void()> actions[] = {
      [this] { Window().Click("RefreshRibbon"); },
      [this] { Window().Click("SortMasterList"); },
      [&press] { press("PrintAllSorted"); },
  };
  for (const auto& act : actions) {
    ui_.ForgetMessageBoxes();
    ui_.AnswerNextMessageBox(IDOK);
    act();
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, kCategoryListErrorText);
    EXPECT_EQ(ui_.MessageBoxes()[0].title, "Error Condition Query");
    EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
  }
  EXPECT_TRUE(ui_.PrintedDocuments().empty());
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()));
}

TEST_F(MasterListWindow, DeleteBlanksOnlyTheClickedItemWhenItsSlotRepeats) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[3], ItemField::LineNo) = "2";
  WriteItemFile(ItemFileBytes(items));
  Window().Click("RefreshRibbon").ClickListLine("List1", 3).Click("DeleteEntry");
  std::vector<ItemFields> expected = items;
  expected[3] = {"2", "OPEN", "", "12", "", "", "", "", "", "", "", "", "", "", "", ""};
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// Items A, B and C with the slots 1, 2 and 2.
std::vector<ItemFields> ThreeItemsWithSlot2Twice() {
  const std::vector<ItemFields> small = SmallItemFile();
  std::vector<ItemFields> items = {small[0], small[1], small[3]};
  FieldOf(items[2], ItemField::LineNo) = "2";
  return items;
}

TEST_F(MasterListWindow, SaveChangesOnlyTheClickedItemWhenItsSlotRepeats) {
  const std::vector<ItemFields> items = ThreeItemsWithSlot2Twice();
  WriteItemFile(ItemFileBytes(items));
  Window().Click("RefreshRibbon").ClickListLine("List1", 2);
  ASSERT_EQ(Window().Text("Text3"), "XY-7           ");
  Window().Focus("Text6").PressKey("Text6", VK_HOME);
  Window().Type("Text6", "X");
  Window().Click("SaveButton");
  // C as its boxes showed it; A and B byte for byte as they were.
  std::vector<ItemFields> expected = items;
  expected[2] = {"2", "XY-7", "XLock nut M8", "12", "0.30", "12", "5", "0.6",
                 "0", "0",    "0",            "0",  "0",    "0",  "0", "0"};
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
  EXPECT_EQ(Window().Lines("List1")[2].substr(0, 26), "0002  12   XY-7           ");
  EXPECT_EQ(Window().Text("Text16"), "");
}

TEST_F(MasterListWindow, SaveOrDeleteOfAnItemChangedUnderTheWindowWritesNothingAndSaysSo) {
  const std::vector<ItemFields> items = ThreeItemsWithSlot2Twice();
  for (const char* button : {"SaveButton", "DeleteEntry"}) {
    SCOPED_TRACE(button);
    WriteItemFile(ItemFileBytes(items));
    ui_.ForgetMessageBoxes();
    Window().Click("RefreshRibbon").ClickListLine("List1", 2);
    const std::vector<std::string> lines = Window().Lines("List1");
    Window().Focus("Text6").PressKey("Text6", VK_HOME);
    Window().Type("Text6", "X");
    std::vector<ItemFields> changed = items;
    FieldOf(changed[2], ItemField::ItemNumber) = "XY-8";  // by another program, while C is shown
    WriteItemFile(ItemFileBytes(changed));
    ui_.AnswerNextMessageBox(IDOK);
    Window().Click(button);
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, kItemGoneText);
    EXPECT_EQ(ui_.MessageBoxes()[0].title, "Error Condition Query");
    EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
    EXPECT_EQ(ItemFileNow(), ItemFileBytes(changed));
    EXPECT_EQ(Window().Text("Text6"), "X" + FitToWidth("Lock nut M8", 30));  // as typed
    EXPECT_EQ(Window().Lines("List1"), lines);
    // The list and the window's table are still in step: a click shows the item of its line.
    Window().ClickListLine("List1", 1);
    EXPECT_EQ(Window().Text("Text3"), "AB             ");
  }
}

TEST_F(MasterListWindow, ExitReturnsToAFreshMainMenu) {
  Window().ChooseMenu("debuginv");
  EXPECT_EQ(Callers.DebugFromForm60, kCallerFlagSet);
  ASSERT_TRUE(ui_.IsLoaded("Form60"));
  Window().Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form60"));
  EXPECT_EQ(Callers.DebugFromForm60, kCallerFlagBlank);
  EXPECT_TRUE(ui_.IsVisible("Form1"));
}

}  // namespace
}  // namespace korvane
