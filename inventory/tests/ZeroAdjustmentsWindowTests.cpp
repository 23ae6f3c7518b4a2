// The Zero Inventory Adjustments window worked through the forms test driver: presses on its button
// checked against the bytes of the rewritten item file and against the indicator beside it.
#include <gtest/gtest.h>

#include "HelpPageChecks.h"
#include "HostedThroughComFixture.h"
#include "KorvaneWindowsFixture.h"
#include "ResetWindowFixture.h"
#include "files/SequentialFiles.h"
#include "items/ItemFile.h"
#include "items/MainMenuWindow.h"
#include "movements/ZeroAdjustmentsWindow.h"

namespace korvane {
namespace {

using testing::ItemFileBytes;
using testing::kFontSizeDispid;
using testing::kValueDispid;
using testing::SmallItemFile;

using testing::kIndicatorColorDispid;
using testing::kIndicatorLitDispid;
constexpr double kGreen = testing::kIndicatorGreen;

// The small item file with its four adjustment counters empty in every item.
std::string WithoutAdjustments() {
  return testing::SmallItemFileWithEmptied(
      {ItemField::Receipts, ItemField::Writeoffs, ItemField::Transout, ItemField::Transin});
}

class ZeroAdjustmentsWindow : public testing::ResetWindowTest {
 protected:
  ZeroAdjustmentsWindow() : ResetWindowTest("ProcessInventory", "Form37") {}

  bool IndicatorLit() { return Lit("vaBtn2"); }
  double ButtonValue() { return ResetWindowTest::ButtonValue("ZeroTrans"); }
  void PressWith(int button) { Window().MouseDown("ZeroTrans", 10, 10, button); }
};

TEST_F(ZeroAdjustmentsWindow, OpensWithTheButtonCheckedAndTheIndicatorDark) {
  EXPECT_EQ(Window().Caption(), "Zero Inventory Adjustments");
  EXPECT_NE(ButtonValue(), 0);
  EXPECT_FALSE(IndicatorLit());
  EXPECT_TRUE(ui_.IsVisible("Form1"));  // a fresh main menu behind it
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()));  // opening changes nothing
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(ZeroAdjustmentsWindow, TheFirstPressEmptiesTheCountersAndLightsTheIndicatorGreen) {
  Window().Click("ZeroTrans");
  EXPECT_EQ(ItemFileNow(), WithoutAdjustments());
  EXPECT_TRUE(IndicatorLit());
  EXPECT_EQ(Property("Form37", "vaBtn2", kIndicatorColorDispid), kGreen);
  EXPECT_EQ(ButtonValue(), 0);  // the release unchecked it
  EXPECT_TRUE(ui_.MessageBoxes().empty());

  // The second press finds the button unchecked: the file is reset again, the lamp stays as it is.
  WriteItemFile(ItemFileBytes(SmallItemFile()));
  Window().Click("ZeroTrans");
  EXPECT_EQ(ItemFileNow(), WithoutAdjustments());
  EXPECT_TRUE(IndicatorLit());  // nothing turns it off
}

TEST_F(ZeroAdjustmentsWindow, APressWhileTheButtonIsUncheckedLeavesTheIndicatorDark) {
  // Unchecked without a press, as the space key does it.
  Uncheck("ZeroTrans");
  Window().Click("ZeroTrans");
  EXPECT_EQ(ItemFileNow(), WithoutAdjustments());
  EXPECT_FALSE(IndicatorLit());
  // The release checked it again: the next press lights it.
  EXPECT_NE(ButtonValue(), 0);
  Window().Click("ZeroTrans");
  EXPECT_TRUE(IndicatorLit());
}

TEST_F(ZeroAdjustmentsWindow, TheRightAndMiddleButtonsResetToo) {
  for (int button : {forms::kRightButton, forms::kMiddleButton}) {
    SCOPED_TRACE(button);
    WriteItemFile(ItemFileBytes(SmallItemFile()));
    PressWith(button);
    EXPECT_EQ(ItemFileNow(), WithoutAdjustments());
    EXPECT_NE(ButtonValue(), 0);  // only the left button toggles it
  }
  EXPECT_TRUE(IndicatorLit());
}

TEST_F(ZeroAdjustmentsWindow, AnEmptyItemFileStaysEmpty) {
  WriteItemFile("");
  Window().Click("ZeroTrans");
  EXPECT_EQ(ItemFileNow(), "");
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(ZeroAdjustmentsWindow, AFileThatCannotBeReadOrWrittenIsReportedAndLeftAsItWas) {
  const std::string cut = ItemFileBytes(SmallItemFile()) + "5\r\n";
  WriteItemFile(cut);
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click("ZeroTrans");
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
  EXPECT_EQ(ItemFileNow(), cut);
  EXPECT_FALSE(IndicatorLit());

  const std::string whole = ItemFileBytes(SmallItemFile());
  WriteItemFile(whole);
  files::FailWritesAfterLinesForTesting(20);
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click("ZeroTrans");  // the button is checked again after the release
  ASSERT_EQ(ui_.MessageBoxes().size(), 2u);
  EXPECT_EQ(ui_.MessageBoxes()[1].text, kItemFileNotSavedText);  // the file is sound: no tool can help
  EXPECT_EQ(ItemFileNow(), whole);
  EXPECT_FALSE(IndicatorLit());
  EXPECT_TRUE(ui_.IsVisible("Form37"));
}

TEST_F(ZeroAdjustmentsWindow, HoverEnlargesTheButtonsCaption) {
  Window().MoveMouseOver("ZeroTrans");
  EXPECT_NEAR(Property("Form37", "ZeroTrans", kFontSizeDispid), 12, testing::kFontSizeStep);
  Window().MoveMouseOver("vaBtn2");
  EXPECT_NEAR(Property("Form37", "ZeroTrans", kFontSizeDispid), 10, testing::kFontSizeStep);
}

TEST_F(ZeroAdjustmentsWindow, Command4ReturnsToAFreshMainMenu) {
  ExpectExitReturnsToAFreshMainMenu("Command4", &CallerFlags::DebugFromForm37);
}

TEST_F(ZeroAdjustmentsWindow, TheDebugToolReturnsToAFreshWindowWithTheIndicatorDark) {
  ExpectDebugToolReturnsToAFreshWindow("ZeroTrans", "vaBtn2", &CallerFlags::DebugFromForm37);
}

TEST_F(ZeroAdjustmentsWindow, HelpOpensItsPageFromTheHelpFolder) {
  testing::InstallHelpPage("zeroinvtranslist-1089.htm");
  EXPECT_EQ(Window().MenuCaption("help"), std::string(23, ' ') + "&Help");
  testing::ExpectHelpPageShown(Window(), "help", "Zero Adjustments - Korvane Help");
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// Through the program's own ActiveX container: the test control in place of the check button and its
// frame, and the real indicator of Btn32x10.ocx, named by its ProgID.
using ZeroAdjustmentsHostedThroughCom = testing::KorvaneWindowsHostedThroughComTest;

TEST_F(ZeroAdjustmentsHostedThroughCom, ThePressResetsTheFileAndTheIndicatorShowsGreen) {
  ui_.Show<Form1>().Click("ProcessInventory");
  auto window = ui_.On("Form37");
  ASSERT_TRUE(window.Visible());
  ASSERT_NE(window.Window("vaBtn2"), nullptr) << "the indicator was made";
  EXPECT_EQ(Property("Form37", "vaBtn2", kIndicatorLitDispid), 0);
  EXPECT_EQ(Property("Form37", "ZeroTrans", kValueDispid), -1);  // checked reads True

  window.Click("ZeroTrans");
  EXPECT_EQ(ItemFileNow(), WithoutAdjustments());
  EXPECT_EQ(Property("Form37", "ZeroTrans", kValueDispid), 0);
  EXPECT_EQ(Property("Form37", "vaBtn2", kIndicatorLitDispid), -1);
  EXPECT_EQ(Property("Form37", "vaBtn2", kIndicatorColorDispid), kGreen);
  EXPECT_EQ(testing::ColourAtCentre(window.Window("vaBtn2")), RGB(0, 128, 0));
  const std::string path = testing::TestProgramFolder() + "zero-adjustments.png";
  ui_.SavePng("Form37", path);
  EXPECT_GT(testing::ReadBytes(path).size(), 1000u);

  // Unchecked now: the second press resets the file again and leaves the lamp as it is.
  WriteItemFile(ItemFileBytes(SmallItemFile()));
  window.Click("ZeroTrans");
  EXPECT_EQ(ItemFileNow(), WithoutAdjustments());
  EXPECT_EQ(Property("Form37", "vaBtn2", kIndicatorLitDispid), -1);
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

}  // namespace
}  // namespace korvane
