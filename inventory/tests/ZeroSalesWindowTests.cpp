// The Zero Sales History window worked through the forms test driver: presses on its four period
// buttons checked against the bytes of the rewritten item file and against the indicators beside them.
#include <gtest/gtest.h>

#include "HelpPageChecks.h"
#include "HostedThroughComFixture.h"
#include "KorvaneWindowsFixture.h"
#include "ResetWindowFixture.h"
#include "files/SequentialFiles.h"
#include "items/MainMenuWindow.h"
#include "movements/CounterReset.h"
#include "movements/ZeroSalesWindow.h"

namespace korvane {
namespace {

using testing::ItemFileBytes;
using testing::kFontSizeDispid;
using testing::kValueDispid;
using testing::SmallItemFile;

using testing::kIndicatorColorDispid;
using testing::kIndicatorLitDispid;
constexpr double kGreen = testing::kIndicatorGreen;

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

std::string WithEmptied(ItemField counter) { return testing::SmallItemFileWithEmptied({counter}); }

class ZeroSalesWindow : public testing::ResetWindowTest {
 protected:
  ZeroSalesWindow() : ResetWindowTest("ZeroSales", "Form63") {}

  bool Lit(const Period& period) { return ResetWindowTest::Lit(period.indicator); }
  double ButtonValue(const Period& period) { return ResetWindowTest::ButtonValue(period.button); }
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
    Uncheck(period.button);
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
  ASSERT_EQ(ui_.MessageBoxes().size(), 2u);
  EXPECT_EQ(ui_.MessageBoxes()[1].text, kItemFileNotSavedText);  // the file is sound: no tool can help
  EXPECT_EQ(ItemFileNow(), whole);
  EXPECT_FALSE(Lit(year));
}

TEST_F(ZeroSalesWindow, HoverEnlargesEachButtonsCaption) {
  for (const Period& period : kPeriods) {
    SCOPED_TRACE(period.button);
    Window().MoveMouseOver(period.button);
    EXPECT_NEAR(Property("Form63", period.button, kFontSizeDispid), 12, testing::kFontSizeStep);
    Window().MoveMouseOver("ExitButton");
    EXPECT_NEAR(Property("Form63", period.button, kFontSizeDispid), 10, testing::kFontSizeStep);
  }
}

TEST_F(ZeroSalesWindow, TabWalksThePeriodButtonsInsideTheirFramesAndThenTheExit) {
  Window().Focus("DailyProc");
  EXPECT_EQ(ui_.Focused(), "Form63.DailyProc");  // the button itself, not the frame it stands in
  std::string from = "DailyProc";
  for (const char* next : {"WeeklyProc", "MonthlyProc", "YearlyProc", "ExitButton", "DailyProc"}) {
    Window().PressKey(from, VK_TAB);
    EXPECT_EQ(ui_.Focused(), std::string("Form63.") + next) << "Tab from " << from;
    from = next;
  }
  Window().PressKey("DailyProc", VK_TAB, /*shift=*/true);
  EXPECT_EQ(ui_.Focused(), "Form63.ExitButton");
  Window().PressKey("WeeklyProc", VK_TAB, /*shift=*/true);
  EXPECT_EQ(ui_.Focused(), "Form63.DailyProc");
}

TEST_F(ZeroSalesWindow, ExitReturnsToAFreshMainMenu) {
  ExpectExitReturnsToAFreshMainMenu("ExitButton", &CallerFlags::DebugFromForm63);
}

TEST_F(ZeroSalesWindow, TheDebugToolReturnsToAFreshWindowWithTheIndicatorsDark) {
  ExpectDebugToolReturnsToAFreshWindow("YearlyProc", "vaBtn4", &CallerFlags::DebugFromForm63);
}

TEST_F(ZeroSalesWindow, EachHelpMenuOpensItsPeriodsPage) {
  for (const Period& period : kPeriods) {
    SCOPED_TRACE(period.helpMenu);
    const HelpPage* page = FindHelpPage("Form63", period.helpMenu);
    ASSERT_NE(page, nullptr);
    testing::InstallHelpPage(std::string(page->commandLine).substr(3));  // after "hh "
    testing::ExpectHelpPageShown(Window(), period.helpMenu, period.helpTitle);
  }
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// Through the program's own ActiveX container: the test control in place of the check buttons, frames
// and exit button, and the real indicators of Btn32x10.ocx, named by their ProgID.
using ZeroSalesHostedThroughCom = testing::KorvaneWindowsHostedThroughComTest;

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
  ASSERT_NE(window.Window(year.indicator), nullptr);
  EXPECT_EQ(testing::ColourAtCentre(window.Window(year.indicator)), RGB(0, 128, 0));
  const std::string path = testing::TestProgramFolder() + "zero-sales.png";
  ui_.SavePng("Form63", path);
  EXPECT_GT(testing::ReadBytes(path).size(), 1000u);
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

}  // namespace
}  // namespace korvane
