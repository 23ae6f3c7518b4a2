// What the tests of the two report windows share: the report items and a category list in the data
// folder, the window opened from the main menu, and today's date as the print-outs show it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "KorvaneWindowsFixture.h"
#include "items/MainMenuWindow.h"
#include "movements/ReportItems.h"
#include "movements/tests/ReportFixtures.h"

namespace korvane::testing {

inline constexpr char kCategoryListFile[] = "c:\\Korvane\\Item.Txt";
inline constexpr long kFontBoldDispid = 3;

inline std::string TodayInReports() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  return ReportDate(today.wYear, today.wMonth, today.wDay);
}

class ReportWindowTest : public KorvaneWindowsTest {
 protected:
  // The window, the main menu's ribbon that opens it, and the category list its tests start from.
  ReportWindowTest(const char* window, const char* ribbon, const char* categoryList)
      : window_(window), ribbon_(ribbon), categoryList_(categoryList) {}

  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    WriteItemFile(ItemFileBytes(ReportItemFile()));
    WriteBytes(kCategoryListFile, categoryList_);
    ui_.Show<Form1>().Click(ribbon_);
    ASSERT_TRUE(ui_.IsVisible(window_));
    ASSERT_TRUE(ui_.MessageBoxes().empty());
  }

  forms::testing::DrivenForm Window() { return ui_.On(window_); }

  // The print and screen buttons' captions turn bold while the mouse is over them, and back after.
  void ExpectBoldWhileHovered() {
    Window().MoveMouseOver("cmdPrint");
    EXPECT_EQ(Property(window_, "cmdPrint", kFontBoldDispid), -1);
    Window().MoveMouseOver("cmdScreen");
    EXPECT_EQ(Property(window_, "cmdPrint", kFontBoldDispid), 0);
    EXPECT_EQ(Property(window_, "cmdScreen", kFontBoldDispid), -1);
    Window().MoveMouseOver("ExitButton");
    EXPECT_EQ(Property(window_, "cmdScreen", kFontBoldDispid), 0);
  }

  // The Debug Inventory tool sets the window's caller flag and returns to it; Exit returns to a fresh
  // main menu.
  void ExpectDebugToolAndExit(char CallerFlags::*flag) {
    Window().ChooseMenu("debuginv");
    ASSERT_TRUE(ui_.IsVisible("Form4"));
    EXPECT_EQ(Callers.*flag, kCallerFlagSet);
    ui_.On("Form4").Click("ExitButton");
    ASSERT_TRUE(ui_.IsVisible(window_));
    EXPECT_EQ(Callers.*flag, kCallerFlagBlank);
    forms::Form* oldMenu = &ui_.On("Form1").Get();
    Window().Click("ExitButton");
    EXPECT_FALSE(ui_.IsLoaded(window_));
    ASSERT_TRUE(ui_.IsVisible("Form1"));
    EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
  }

  std::string window_;
  const char* ribbon_;
  const char* categoryList_;
};

}  // namespace korvane::testing
