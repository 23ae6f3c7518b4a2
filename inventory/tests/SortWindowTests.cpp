// The Sort Inventory File window worked through the forms test driver on a small item file and a
// category list in c:\Korvane.
#include <gtest/gtest.h>

#include <cstdio>

#include "items/CategoryList.h"
#include "KorvaneWindowsFixture.h"
#include "items/MainMenuWindow.h"
#include "items/SortWindow.h"
#include "items/tests/ItemFileFixtures.h"

namespace korvane {
namespace {

using testing::ItemFields;
using testing::ItemFileBytes;
using testing::SmallItemFile;

constexpr char kCategoryFile[] = "c:\\Korvane\\Item.Txt";

class SortWindow : public testing::KorvaneWindowsTest {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    testing::WriteBytes(kCategoryFile, "12\r\n5\r\n");
  }
  void TearDown() override {
    KorvaneWindowsTest::TearDown();
    std::remove(kCategoryFile);
  }

  forms::testing::DrivenForm Open() {
    ui_.Show<Form1>().Click("SortInventoryFile");
    return ui_.On("Form2");
  }
};

TEST_F(SortWindow, OpensFromTheMainMenuWithItsControls) {
  auto sort = Open();
  ASSERT_TRUE(sort.Visible());
  EXPECT_EQ(sort.Caption(), "Sort Inventory File");
  EXPECT_EQ(sort.ToolTip("SortInventoryFile"), "Sort File");
  EXPECT_EQ(sort.Text("Label1"), "Record #");
  EXPECT_EQ(sort.Text("Label2"), "CAT. Code");
  EXPECT_EQ(sort.Text("Label3"), "Status");
  EXPECT_EQ(sort.MenuCaption("debuginv"), "&Debug Inventory");
  EXPECT_EQ(sort.MenuCaption("help"), "&Help");
  for (const char* box : {"Text3", "Text5", "Text4"}) EXPECT_EQ(sort.Text(box), "") << box;
  EXPECT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(SortWindow, AClickSortsTheFileInListOrderAndKeepsTheItemOfNoListedCategory) {
  auto sort = Open();
  sort.Click("SortInventoryFile");
  const std::vector<ItemFields> items = SmallItemFile();
  // 12 first, then the two of 5 in file order, then the free slot whose category is listed nowhere.
  EXPECT_EQ(ItemFileNow(), ItemFileBytes({items[3], items[0], items[1], items[2]}));
  EXPECT_EQ(sort.Text("Text3"), "4");
  EXPECT_EQ(sort.Text("Text5"), "5   ");
  EXPECT_EQ(sort.Text("Text4"), "DONE");
  EXPECT_TRUE(ui_.MessageBoxes().empty());

  // Clicked again (the ribbon goes up): the same file.
  const std::string sorted = ItemFileNow();
  sort.Click("SortInventoryFile");
  EXPECT_EQ(ItemFileNow(), sorted);
  EXPECT_EQ(sort.Text("Text4"), "DONE");
}

TEST_F(SortWindow, AMissingListOrAnUnreadableItemFileIsReportedAndNothingIsWritten) {
  auto sort = Open();
  std::remove(kCategoryFile);
  ui_.AnswerNextMessageBox(IDOK);
  sort.Click("SortInventoryFile");
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, kCategoryListErrorText);
  EXPECT_EQ(ui_.MessageBoxes()[0].title, "Error Condition Query");
  EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()));
  EXPECT_EQ(sort.Text("Text4"), "");

  testing::WriteBytes(kCategoryFile, "12\r\n5\r\n");
  const std::string cut = ItemFileBytes(SmallItemFile()) + "5\r\n";
  WriteItemFile(cut);
  ui_.AnswerNextMessageBox(IDOK);
  sort.Click("SortInventoryFile");
  ASSERT_EQ(ui_.MessageBoxes().size(), 2u);
  EXPECT_EQ(ui_.MessageBoxes()[1].text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_EQ(ItemFileNow(), cut);
  EXPECT_EQ(sort.Text("Text4"), "");
}

TEST_F(SortWindow, AFailedWriteAndAFileOfTooManyItemsHaveMessagesOfTheirOwn) {
  struct Case {
    const char* what;
    std::string bytes;
    long failWritesAfter;
    const char* message;
  };
  const Case cases[] = {
      {"a write that fails", ItemFileBytes(SmallItemFile()), 20, kItemFileNotSavedText},
      {"15,001 items", testing::WellFormedItemFile(ItemTableColumns::kLastRow + 1), -1, kItemFileTooLongText},
  };
  auto sort = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui_.ForgetMessageBoxes();
    WriteItemFile(c.bytes);
    files::FailWritesAfterLinesForTesting(c.failWritesAfter);
    ui_.AnswerNextMessageBox(IDOK);
    sort.Click("SortInventoryFile");
    files::FailWritesAfterLinesForTesting(-1);
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, c.message);
    EXPECT_EQ(ui_.MessageBoxes()[0].title, "Error Condition Query");
    EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
    EXPECT_TRUE(ItemFileNow() == c.bytes);
    EXPECT_EQ(sort.Text("Text4"), "");
  }
}

TEST_F(SortWindow, AnUnreadableItemFileIsReportedWhenTheWindowOpens) {
  WriteItemFile(ItemFileBytes(SmallItemFile()) + "5\r\n");
  ui_.AnswerNextMessageBox(IDOK);
  auto sort = Open();
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_TRUE(sort.Visible());
}

TEST_F(SortWindow, ExitReturnsToAFreshMainMenu) {
  auto sort = Open();
  forms::Form* oldMenu = &ui_.On("Form1").Get();
  Callers.DebugFromForm2 = kCallerFlagSet;
  sort.Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form2"));
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
  EXPECT_EQ(Callers.DebugFromForm2, kCallerFlagBlank);
}

TEST_F(SortWindow, TheDebugToolReturnsToAFreshSortWindow) {
  auto sort = Open();
  sort.Click("SortInventoryFile");
  forms::Form* oldSort = &sort.Get();
  sort.ChooseMenu("debuginv");
  ASSERT_TRUE(ui_.IsVisible("Form4"));
  EXPECT_EQ(Callers.DebugFromForm2, kCallerFlagSet);
  ui_.On("Form4").Click("ExitButton");
  ASSERT_TRUE(ui_.IsVisible("Form2"));
  EXPECT_NE(&ui_.On("Form2").Get(), oldSort);
  EXPECT_EQ(ui_.On("Form2").Text("Text4"), "");
  EXPECT_EQ(Callers.DebugFromForm2, kCallerFlagBlank);
}

TEST_F(SortWindow, HoverEnlargesTheRibbonsCaption) {
  auto sort = Open();
  sort.MoveMouseOver("SortInventoryFile");
  EXPECT_NEAR(Property("Form2", "SortInventoryFile", testing::kFontSizeDispid), 12, testing::kFontSizeStep);
  sort.MoveMouseOver("ExitButton");
  EXPECT_NEAR(Property("Form2", "SortInventoryFile", testing::kFontSizeDispid), 10, testing::kFontSizeStep);
}

}  // namespace
}  // namespace korvane
