// The Debug Inventory tool worked through the forms test driver on a small item file in c:\Korvane.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KorvaneWindowsFixture.h"
#include "files/SequentialFiles.h"
#include "items/DebugInventory.h"
#include "items/ItemFile.h"
#include "items/DebugInventoryWindow.h"
#include "items/MainMenuWindow.h"
#include "items/SortWindow.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::SmallItemFile;

constexpr COLORREF kGreen = 49152;
constexpr COLORREF kRed = 255;

// The small item file with a comma in the description of the item in slot 3.
std::vector<ItemFields> WithACommaInSlot3() {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[2], ItemField::Description) = "Nuts, bolts";
  return items;
}

class DebugInventoryWindow : public testing::KorvaneWindowsTest {
 protected:
  forms::testing::DrivenForm Open() { return ui_.Show<Form4>(); }
  forms::testing::DrivenForm Window() { return ui_.On("Form4"); }

  COLORREF StatusColour() { return Window().ControlNamed("Text9").BackColor().value_or(0xFFFFFFFF); }
};

TEST_F(DebugInventoryWindow, LoadsWithItsCorrectionAreaAndTheBlinkingReminder) {
  auto tool = Open();
  EXPECT_EQ(tool.Caption(), "Debug Inventory");
  EXPECT_EQ(tool.ToolTip("DebugTool"), "Start Debug");
  EXPECT_EQ(tool.Text("Label3"), "(Correction Area)");
  EXPECT_EQ(tool.MenuCaption("help"), "&Help");
  std::vector<std::string> labels;
  for (int label = 5; label <= 20; ++label) labels.push_back(tool.Text("Label" + std::to_string(label)));
  std::vector<std::string> expected = {"Rec #"};
  for (const ScannedField& field : kScannedFields) expected.push_back(field.label);
  std::sort(labels.begin(), labels.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(labels, expected);
  EXPECT_EQ(StatusColour(), kGreen);

  EXPECT_TRUE(tool.ControlVisible("ribTravelVia(1)"));
  EXPECT_EQ(testing::NumberOf(tool.Get().Hosted("ribTravelVia", 1).Property(testing::kMarqueeStyleDispid)), 3);
  EXPECT_TRUE(tool.Lines("List1").empty());
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(DebugInventoryWindow, ACleanFileIsCompleteOnGreenAndListsTheSlotsByTens) {
  std::vector<ItemFields> items;
  for (int slot = 1; slot <= 21; ++slot) {
    ItemFields item = SmallItemFile()[slot % 4];
    FieldOf(item, ItemField::LineNo) = std::to_string(slot);
    items.push_back(item);
  }
  WriteItemFile(ItemFileBytes(items));
  auto tool = Open();
  tool.Click("DebugTool");
  EXPECT_EQ(tool.Text("Text9"), "Complete");
  EXPECT_EQ(StatusColour(), kGreen);
  EXPECT_EQ(tool.Lines("List1"), (std::vector<std::string>{"10  ", "20  "}));
  // Clicked again, the ribbon going up: the scan runs again and adds to the list.
  tool.Click("DebugTool");
  EXPECT_EQ(tool.Lines("List1").size(), 4u);
  EXPECT_EQ(tool.Text("Text8"), "");
  EXPECT_EQ(tool.Text("Text16"), "");
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(items));
}

TEST_F(DebugInventoryWindow, ACommaIsShownInItsBoxAndTheCorrectionIsSaved) {
  WriteItemFile(ItemFileBytes(WithACommaInSlot3()));
  auto tool = Open();
  tool.Click("DebugTool");
  EXPECT_EQ(tool.Text("Text8"), "3");
  EXPECT_EQ(tool.Text("Text16"), "3");
  EXPECT_EQ(tool.Text("Text9"), "ERROR");
  EXPECT_EQ(StatusColour(), kRed);
  EXPECT_EQ(tool.Text("Text6"), "Nuts, bolts                   ");
  EXPECT_EQ(ui_.Focused(), "Form4.Text6");
  EXPECT_TRUE(tool.Lines("List1").empty());
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(WithACommaInSlot3()));  // the scan writes nothing

  // A box without a hit flag is not taken, even when edited.
  tool.Type("Text3", "IGNORED");
  tool.Focus("Text6").PressKey("Text6", VK_END);
  for (int i = 0; i < 30; ++i) tool.PressKey("Text6", VK_BACK);
  tool.Type("Text6", "Nuts and bolts").Click("SaveButton");
  EXPECT_TRUE(ui_.MessageBoxes().empty());
  std::vector<ItemFields> expected = SmallItemFile();
  FieldOf(expected[2], ItemField::Description) = "Nuts and bolts";
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(expected));
  for (const char* box : {"Text16", "Text8", "Text9", "Text6", "Text3"}) EXPECT_EQ(tool.Text(box), "") << box;
  EXPECT_TRUE(tool.Lines("List1").empty());
  EXPECT_EQ(StatusColour(), kRed);  // the colour stays

  tool.Click("DebugTool");
  EXPECT_EQ(tool.Text("Text9"), "Complete");
}

TEST_F(DebugInventoryWindow, ACorrectionStillHoldingAQuoteIsRefusedUntilItIsRemoved) {
  std::vector<ItemFields> items = SmallItemFile();
  FieldOf(items[1], ItemField::SoldYear) = "1\"";
  WriteItemFile(ItemFileBytes(items));
  auto tool = Open();
  tool.Click("DebugTool");
  ASSERT_EQ(tool.Text("Text14"), "1\"");
  ui_.AnswerNextMessageBox(IDOK);
  tool.Click("SaveButton");
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  const auto& box = ui_.MessageBoxes()[0];
  EXPECT_EQ(box.text, "Error Condition Exists, Remove Quotes or Commas to Correct.");
  EXPECT_EQ(box.title, "Error Condition Query");
  EXPECT_EQ(box.style, 16u);
  EXPECT_EQ(box.help_file, "DEMO.HLP");
  EXPECT_EQ(box.help_context, 1000u);
  EXPECT_EQ(ui_.Focused(), "Form4.Text14");
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(items));
  EXPECT_EQ(tool.Text("Text14"), "1\"");

  tool.PressKey("Text14", VK_END).PressKey("Text14", VK_BACK).Click("SaveButton");
  EXPECT_EQ(ui_.MessageBoxes().size(), 1u);
  FieldOf(items[1], ItemField::SoldYear) = "1";
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(items));
}

// What every other window refuses, the scan shows as an error, and Save mends it.
TEST_F(DebugInventoryWindow, AFileThatOtherWindowsRefuseIsNeverComplete) {
  const std::string items = ItemFileBytes(SmallItemFile());
  std::string commaInSlot = items;
  commaInSlot.replace(commaInSlot.find("\r\n2\r\n"), 5, "\r\n2,5\r\n");
  struct Case {
    const char* what;
    std::string bytes;
    const char* record;   // Text8
    const char* message;  // nullptr: none
  };
  const Case cases[] = {
      {"a comma in a slot number", commaInSlot, "2,5", nullptr},
      {"a last item cut short", items + "5\r\nLAST\r\n", "5", kLastItemShortText},
      {"a stray empty line at the end", items + "\r\n", "", kLastItemShortText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteItemFile(c.bytes);
    ui_.ForgetMessageBoxes();
    auto tool = Open();
    if (c.message) ui_.AnswerNextMessageBox(IDOK);
    tool.Click("DebugTool");
    EXPECT_EQ(tool.Text("Text9"), "ERROR");
    EXPECT_EQ(StatusColour(), kRed);
    EXPECT_EQ(tool.Text("Text8"), c.record);
    ASSERT_EQ(ui_.MessageBoxes().size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(ui_.MessageBoxes()[0].text, c.message);
    }
    EXPECT_EQ(ItemFileNow(), c.bytes);  // the scan writes nothing

    tool.Click("SaveButton");
    EXPECT_EQ(CheckItemFileReadable(testing::kItemFile), ItemFileStatus::Ok);
    tool.Click("DebugTool");
    EXPECT_EQ(tool.Text("Text9"), "Complete");
    forms::Forms::UnloadAll();
  }
}

TEST_F(DebugInventoryWindow, AFailedSaveAndAFileOfTooManyItemsHaveMessagesOfTheirOwn) {
  auto tool = Open();
  files::FailWritesAfterLinesForTesting(5);
  ui_.AnswerNextMessageBox(IDOK);
  tool.Click("SaveButton");
  files::FailWritesAfterLinesForTesting(-1);
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, kItemFileNotSavedText);
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()));

  std::string many;
  for (int item = 0; item <= ItemTableColumns::kLastRow; ++item) many += ItemFileBytes({SmallItemFile()[item % 4]});
  WriteItemFile(many);
  ui_.AnswerNextMessageBox(IDOK);
  tool.Click("DebugTool");
  ui_.AnswerNextMessageBox(IDOK);
  tool.Click("SaveButton");
  ASSERT_EQ(ui_.MessageBoxes().size(), 3u);
  EXPECT_EQ(ui_.MessageBoxes()[1].text, kItemFileTooLongText);
  EXPECT_EQ(ui_.MessageBoxes()[2].text, kItemFileTooLongText);
  EXPECT_EQ(tool.Text("Text9"), "ERROR");
  EXPECT_TRUE(ItemFileNow() == many);
}

TEST_F(DebugInventoryWindow, AMissingItemFileIsReportedAndNotCreated) {
  DeleteFileA(testing::kItemFile);
  auto tool = Open();
  ui_.AnswerNextMessageBox(IDOK);
  tool.Click("DebugTool");
  ui_.AnswerNextMessageBox(IDOK);
  tool.Click("SaveButton");
  ASSERT_EQ(ui_.MessageBoxes().size(), 2u);
  for (const auto& box : ui_.MessageBoxes()) {
    EXPECT_EQ(box.text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  }
  EXPECT_EQ(GetFileAttributesA(testing::kItemFile), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DebugInventoryWindow, ExitReturnsToTheFirstCallerInFlagOrderOrToTheMainMenu) {
  ui_.Show<Form1>();
  forms::Form* oldMenu = &ui_.On("Form1").Get();
  Open().Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form4"));
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);

  // The sort window comes before Adjust Inventory in the order of the flags.
  Callers.DebugFromForm3 = kCallerFlagSet;
  Callers.DebugFromForm2 = kCallerFlagSet;
  Open().Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form4"));
  EXPECT_TRUE(ui_.IsVisible("Form2"));
  EXPECT_FALSE(ui_.IsLoaded("Form3"));
  EXPECT_EQ(Callers.DebugFromForm2, kCallerFlagBlank);
  EXPECT_EQ(Callers.DebugFromForm3, kCallerFlagSet);
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(DebugInventoryWindow, HoverEnlargesTheStartDebugCaption) {
  auto tool = Open();
  tool.MoveMouseOver("DebugTool");
  EXPECT_NEAR(Property("Form4", "DebugTool", testing::kFontSizeDispid), 12, testing::kFontSizeStep);
  tool.MoveMouseOver("SaveButton");
  EXPECT_NEAR(Property("Form4", "DebugTool", testing::kFontSizeDispid), 10, testing::kFontSizeStep);
}

}  // namespace
}  // namespace korvane
