// The Zero Inventory Adjustments window worked through the forms test driver: presses on its button
// checked against the bytes of the rewritten item file and against the indicator beside it.
#include <ole2.h>

#include <gtest/gtest.h>

#include "HelpPageChecks.h"
#include "KorvaneWindowsFixture.h"
#include "TestControlInPlace.h"
#include "files/SequentialFiles.h"
#include "items/MainMenuWindow.h"
#include "movements/ZeroAdjustmentsWindow.h"
#include "testing/HostWindow.h"

namespace korvane {
namespace {

using testing::FieldOf;
using testing::ItemFields;
using testing::ItemFileBytes;
using testing::kFontSizeDispid;
using testing::kValueDispid;
using testing::SmallItemFile;

constexpr long kIndicatorLitDispid = 50;
constexpr long kIndicatorColorDispid = 8;
constexpr double kGreen = 32768;

// The small item file with its four adjustment counters empty in every item.
std::string WithoutAdjustments() {
  std::vector<ItemFields> items = SmallItemFile();
  for (ItemFields& item : items) {
    for (ItemField field : {ItemField::Receipts, ItemField::Writeoffs, ItemField::Transout, ItemField::Transin}) {
      FieldOf(item, field).clear();
    }
  }
  return ItemFileBytes(items);
}

class ZeroAdjustmentsWindow : public testing::KorvaneWindowsTest {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    ui_.Show<Form1>().Click("ProcessInventory");
    ASSERT_TRUE(ui_.IsVisible("Form37"));
  }
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    KorvaneWindowsTest::TearDown();
  }

  forms::testing::DrivenForm Window() { return ui_.On("Form37"); }
  bool IndicatorLit() { return Property("Form37", "vaBtn2", kIndicatorLitDispid) != 0; }
  double ButtonValue() { return Property("Form37", "ZeroTrans", kValueDispid); }
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
  ASSERT_EQ(Window().Get().Hosted("ZeroTrans").SetProperty(kValueDispid, false), S_OK);
  ASSERT_EQ(ButtonValue(), 0);
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
  EXPECT_EQ(ui_.MessageBoxes().size(), 2u);
  EXPECT_EQ(ItemFileNow(), whole);
  EXPECT_FALSE(IndicatorLit());
  EXPECT_TRUE(ui_.IsVisible("Form37"));
}

TEST_F(ZeroAdjustmentsWindow, HoverEnlargesTheButtonsCaption) {
  Window().MoveMouseOver("ZeroTrans");
  EXPECT_EQ(Property("Form37", "ZeroTrans", kFontSizeDispid), 12);
  Window().MoveMouseOver("vaBtn2");
  EXPECT_EQ(Property("Form37", "ZeroTrans", kFontSizeDispid), 10);
}

TEST_F(ZeroAdjustmentsWindow, Command4ReturnsToAFreshMainMenu) {
  forms::Form* oldMenu = &ui_.On("Form1").Get();
  Callers.DebugFromForm37 = kCallerFlagSet;
  Window().Click("Command4");
  EXPECT_FALSE(ui_.IsLoaded("Form37"));
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
  EXPECT_EQ(Callers.DebugFromForm37, kCallerFlagBlank);
}

TEST_F(ZeroAdjustmentsWindow, TheDebugToolReturnsToAFreshWindowWithTheIndicatorDark) {
  Window().Click("ZeroTrans");
  ASSERT_TRUE(IndicatorLit());
  Window().ChooseMenu("debuginv");
  ASSERT_TRUE(ui_.IsVisible("Form4"));
  EXPECT_EQ(Callers.DebugFromForm37, kCallerFlagSet);
  EXPECT_TRUE(ui_.IsLoaded("Form37"));
  ui_.On("Form4").Click("ExitButton");
  ASSERT_TRUE(ui_.IsVisible("Form37"));
  EXPECT_EQ(Callers.DebugFromForm37, kCallerFlagBlank);
  EXPECT_FALSE(IndicatorLit());
  EXPECT_NE(ButtonValue(), 0);
}

TEST_F(ZeroAdjustmentsWindow, HelpOpensItsPageFromTheHelpFolder) {
  testing::InstallHelpPage("zeroinvtranslist-1089.htm");
  ASSERT_TRUE(shell::ChangeFolder("c:\\"));
  EXPECT_EQ(Window().MenuCaption("help"), std::string(23, ' ') + "&Help");
  Window().ChooseMenu("help");
  EXPECT_TRUE(testing::SameFolder(shell::CurrentFolder(), "c:\\Korvane")) << shell::CurrentFolder();
  HWND viewer = testing::WaitForHelpViewer("Zero Adjustments - Korvane Help");
  EXPECT_NE(viewer, nullptr);
  if (viewer) PostMessageA(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// Through the program's own ActiveX container: the test control in place of the check button and its
// frame, and the real indicator of Btn32x10.ocx, named by its ProgID.
class ZeroAdjustmentsHostedThroughCom : public testing::KorvaneWindowsTest {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  static void TearDownTestSuite() { OleUninitialize(); }

  testing::HostThroughComWithTheTestControl com_;
};

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
  activex::testing::PumpMessages();
  HWND lamp = window.Window("vaBtn2");
  RECT client{};
  GetClientRect(lamp, &client);
  const activex::testing::Picture picture = activex::testing::CaptureClientArea(lamp);
  EXPECT_EQ(picture.At(client.right / 2, client.bottom / 2), RGB(0, 128, 0));
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
