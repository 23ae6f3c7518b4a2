// The Zero Sales History window worked through the forms test driver: presses on its four period
// buttons checked against the bytes of the rewritten item file and against the indicators beside them.
#include <ole2.h>

#include <gtest/gtest.h>

#include "HelpPageChecks.h"
#include "KorvaneWindowsFixture.h"
#include "TestControlInPlace.h"
#include "files/SequentialFiles.h"
#include "items/MainMenuWindow.h"
#include "movements/CounterReset.h"
#include "movements/ZeroSalesWindow.h"
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

struct Period {
  const char* button;
  const char* indicator;
  ItemField counter;
  bool litWhenUnchecked;
  const char* helpMenu;
  const char* helpTitle;
};

const Period kPeriods[] = {
    {"DailyProc", "vaBtn3", ItemField::SoldDay, false, "helpday", "Daily Processing - Korvane Help"},
    {"WeeklyProc", "vaBtn1", ItemField::SoldWeek, false, "helpweek", "Weekly Processing - Korvane Help"},
    {"MonthlyProc", "vaBtn2", ItemField::SoldMonth, false, "helpmonth", "Monthly Processing - Korvane Help"},
    {"YearlyProc", "vaBtn4", ItemField::SoldYear, true, "helpyear", "Yearly Processing - Korvane Help"},
};

// The small item file with one counter empty in every item.
std::string WithEmptied(ItemField counter) {
  std::vector<ItemFields> items = SmallItemFile();
  for (ItemFields& item : items) FieldOf(item, counter).clear();
  return ItemFileBytes(items);
}

class ZeroSalesWindow : public testing::KorvaneWindowsTest {
 protected:
  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    ui_.Show<Form1>().Click("ZeroSales");
    ASSERT_TRUE(ui_.IsVisible("Form63"));
  }
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    KorvaneWindowsTest::TearDown();
  }

  forms::testing::DrivenForm Window() { return ui_.On("Form63"); }
  bool Lit(const Period& period) { return Property("Form63", period.indicator, kIndicatorLitDispid) != 0; }
  double ButtonValue(const Period& period) { return Property("Form63", period.button, kValueDispid); }
};

TEST_F(ZeroSalesWindow, OpensWithTheFourButtonsCheckedAndTheIndicatorsDark) {
  EXPECT_EQ(Window().Caption(), "Zero Sales History");
  for (const Period& period : kPeriods) {
    EXPECT_NE(ButtonValue(period), 0) << period.button;
    EXPECT_FALSE(Lit(period)) << period.indicator;
  }
  EXPECT_EQ(ItemFileNow(), ItemFileBytes(SmallItemFile()));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(ZeroSalesWindow, EachFirstPressEmptiesOnlyItsOwnCounterAndLightsOnlyItsOwnIndicator) {
  for (std::size_t pressed = 0; pressed < std::size(kPeriods); ++pressed) {
    SCOPED_TRACE(kPeriods[pressed].button);
    WriteItemFile(ItemFileBytes(SmallItemFile()));
    Window().Click(kPeriods[pressed].button);
    EXPECT_EQ(ItemFileNow(), WithEmptied(kPeriods[pressed].counter));
    for (std::size_t other = 0; other < std::size(kPeriods); ++other) {
      EXPECT_EQ(Lit(kPeriods[other]), other <= pressed) << kPeriods[other].indicator;  // the earlier stay lit
    }
    EXPECT_EQ(Property("Form63", kPeriods[pressed].indicator, kIndicatorColorDispid), kGreen);
    EXPECT_EQ(ButtonValue(kPeriods[pressed]), 0);  // the release unchecked it
  }
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(ZeroSalesWindow, APressWhileUncheckedLightsOnlyTheYear) {
  for (const Period& period : kPeriods) {
    SCOPED_TRACE(period.button);
    // Unchecked without a press, as the space key does it.
    ASSERT_EQ(Window().Get().Hosted(period.button).SetProperty(kValueDispid, false), S_OK);
    WriteItemFile(ItemFileBytes(SmallItemFile()));
    Window().Click(period.button);
    EXPECT_EQ(ItemFileNow(), WithEmptied(period.counter));  // the counter is emptied all the same
    EXPECT_EQ(Lit(period), period.litWhenUnchecked);
  }
}

TEST_F(ZeroSalesWindow, TheSamePeriodTwiceGivesTheFileOfOnceAndAnyMouseButtonResets) {
  const Period& week = kPeriods[1];
  Window().Click(week.button).Click(week.button);
  EXPECT_EQ(ItemFileNow(), WithEmptied(week.counter));
  const Period& month = kPeriods[2];
  for (int button : {forms::kRightButton, forms::kMiddleButton}) {
    WriteItemFile(ItemFileBytes(SmallItemFile()));
    Window().MouseDown(month.button, 10, 10, button);
    EXPECT_EQ(ItemFileNow(), WithEmptied(month.counter)) << button;
  }
  EXPECT_TRUE(Lit(month));
  EXPECT_NE(ButtonValue(month), 0);  // only the left button toggles it
}

TEST_F(ZeroSalesWindow, AFileThatCannotBeReadOrWrittenIsReportedAndLeftAsItWas) {
  const Period& year = kPeriods[3];
  const std::string cut = ItemFileBytes(SmallItemFile()) + "5\r\n";
  WriteItemFile(cut);
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click(year.button);
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  EXPECT_EQ(ui_.MessageBoxes()[0].text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_EQ(ItemFileNow(), cut);
  EXPECT_FALSE(Lit(year));  // lit on every press, but not on one that failed

  const std::string whole = ItemFileBytes(SmallItemFile());
  WriteItemFile(whole);
  files::FailWritesAfterLinesForTesting(3);
  ui_.AnswerNextMessageBox(IDOK);
  Window().Click(year.button);
  EXPECT_EQ(ui_.MessageBoxes().size(), 2u);
  EXPECT_EQ(ItemFileNow(), whole);
  EXPECT_FALSE(Lit(year));
}

TEST_F(ZeroSalesWindow, HoverEnlargesEachButtonsCaption) {
  for (const Period& period : kPeriods) {
    SCOPED_TRACE(period.button);
    Window().MoveMouseOver(period.button);
    EXPECT_EQ(Property("Form63", period.button, kFontSizeDispid), 12);
    Window().MoveMouseOver("ExitButton");
    EXPECT_EQ(Property("Form63", period.button, kFontSizeDispid), 10);
  }
}

TEST_F(ZeroSalesWindow, ExitReturnsToAFreshMainMenu) {
  forms::Form* oldMenu = &ui_.On("Form1").Get();
  Callers.DebugFromForm63 = kCallerFlagSet;
  Window().Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form63"));
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
  EXPECT_EQ(Callers.DebugFromForm63, kCallerFlagBlank);
}

TEST_F(ZeroSalesWindow, TheDebugToolReturnsToAFreshWindow) {
  Window().Click("YearlyProc");
  ASSERT_TRUE(Lit(kPeriods[3]));
  Window().ChooseMenu("debuginv");
  ASSERT_TRUE(ui_.IsVisible("Form4"));
  EXPECT_EQ(Callers.DebugFromForm63, kCallerFlagSet);
  EXPECT_TRUE(ui_.IsLoaded("Form63"));
  ui_.On("Form4").Click("ExitButton");
  ASSERT_TRUE(ui_.IsVisible("Form63"));
  EXPECT_EQ(Callers.DebugFromForm63, kCallerFlagBlank);
  EXPECT_FALSE(Lit(kPeriods[3]));
  EXPECT_NE(ButtonValue(kPeriods[3]), 0);
}

TEST_F(ZeroSalesWindow, EachHelpMenuOpensItsPeriodsPage) {
  for (const Period& period : kPeriods) {
    SCOPED_TRACE(period.helpMenu);
    const HelpPage* page = FindHelpPage("Form63", period.helpMenu);
    ASSERT_NE(page, nullptr);
    testing::InstallHelpPage(std::string(page->commandLine).substr(3));  // after "hh "
    ASSERT_TRUE(shell::ChangeFolder("c:\\"));
    Window().ChooseMenu(period.helpMenu);
    EXPECT_TRUE(testing::SameFolder(shell::CurrentFolder(), "c:\\Korvane")) << shell::CurrentFolder();
    HWND viewer = testing::WaitForHelpViewer(period.helpTitle);
    EXPECT_NE(viewer, nullptr);
    if (viewer) PostMessageA(viewer, WM_CLOSE, 0, 0);
  }
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// Through the program's own ActiveX container: the test control in place of the check buttons, frames
// and exit button, and the real indicators of Btn32x10.ocx, named by their ProgID.
class ZeroSalesHostedThroughCom : public testing::KorvaneWindowsTest {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  static void TearDownTestSuite() { OleUninitialize(); }

  testing::HostThroughComWithTheTestControl com_;
};

TEST_F(ZeroSalesHostedThroughCom, TheYearLightsOnEveryPressTheDayOnlyWhileChecked) {
  ui_.Show<Form1>().ChooseMenu("deletesales");
  auto window = ui_.On("Form63");
  ASSERT_TRUE(window.Visible());
  const Period& day = kPeriods[0];
  const Period& year = kPeriods[3];

  // The day's button unchecked first, as the space key does it: its press resets but lights nothing.
  ASSERT_EQ(window.Get().Hosted(day.button).SetProperty(kValueDispid, false), S_OK);
  window.Click(day.button);
  EXPECT_EQ(ItemFileNow(), WithEmptied(day.counter));
  EXPECT_EQ(Property("Form63", day.indicator, kIndicatorLitDispid), 0);
  EXPECT_EQ(Property("Form63", day.button, kValueDispid), -1);  // the release checked it again

  ASSERT_EQ(window.Get().Hosted(year.button).SetProperty(kValueDispid, false), S_OK);
  WriteItemFile(ItemFileBytes(SmallItemFile()));
  window.Click(year.button);
  EXPECT_EQ(ItemFileNow(), WithEmptied(year.counter));
  EXPECT_EQ(Property("Form63", year.indicator, kIndicatorLitDispid), -1);
  EXPECT_EQ(Property("Form63", year.indicator, kIndicatorColorDispid), kGreen);
  activex::testing::PumpMessages();
  HWND lamp = window.Window(year.indicator);
  ASSERT_NE(lamp, nullptr);
  RECT client{};
  GetClientRect(lamp, &client);
  EXPECT_EQ(activex::testing::CaptureClientArea(lamp).At(client.right / 2, client.bottom / 2), RGB(0, 128, 0));
  const std::string path = testing::TestProgramFolder() + "zero-sales.png";
  ui_.SavePng("Form63", path);
  EXPECT_GT(testing::ReadBytes(path).size(), 1000u);
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

}  // namespace
}  // namespace korvane
