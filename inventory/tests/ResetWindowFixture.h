// What the tests of the two reset windows share: the window opened from its main-menu ribbon over the
// small item file, its buttons' values and its indicators read back, and writing made to work again
// after a test that made it fail.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "KorvaneWindowsFixture.h"
#include "files/SequentialFiles.h"
#include "items/MainMenuWindow.h"

namespace korvane::testing {

inline constexpr long kIndicatorLitDispid = 50;
inline constexpr long kIndicatorColorDispid = 8;
inline constexpr double kIndicatorGreen = 32768;

class ResetWindowTest : public KorvaneWindowsTest {
 protected:
  ResetWindowTest(const char* ribbon, const char* form) : ribbon_(ribbon), form_(form) {}

  void SetUp() override {
    KorvaneWindowsTest::SetUp();
    ui_.Show<Form1>().Click(ribbon_);
    ASSERT_TRUE(ui_.IsVisible(form_));
  }
  void TearDown() override {
    files::FailWritesAfterLinesForTesting(-1);
    KorvaneWindowsTest::TearDown();
  }

  forms::testing::DrivenForm Window() { return ui_.On(form_); }
  bool Lit(const char* indicator) { return Property(form_, indicator, kIndicatorLitDispid) != 0; }
  double ButtonValue(const char* button) { return Property(form_, button, kValueDispid); }
  // Unchecks a button without a press, as the space key does it.
  void Uncheck(const char* button) {
    ASSERT_EQ(Window().Get().Hosted(button).SetProperty(kValueDispid, false), S_OK);
    ASSERT_EQ(ButtonValue(button), 0);
  }

  // The exit leaves the window for a fresh main menu and blanks the window's caller flag.
  void ExpectExitReturnsToAFreshMainMenu(const char* exit, char CallerFlags::*flag) {
    forms::Form* oldMenu = &ui_.On("Form1").Get();
    Callers.*flag = kCallerFlagSet;
    Window().Click(exit);
    EXPECT_FALSE(ui_.IsLoaded(form_));
    ASSERT_TRUE(ui_.IsVisible("Form1"));
    EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
    EXPECT_EQ(Callers.*flag, kCallerFlagBlank);
  }

  // A press lights the indicator; the Debug Inventory tool, opened from the menu, returns to a freshly
  // loaded window: its button checked again and its indicator dark, as designed.
  void ExpectDebugToolReturnsToAFreshWindow(const char* button, const char* indicator, char CallerFlags::*flag) {
    Window().Click(button);
    ASSERT_TRUE(Lit(indicator));
    Window().ChooseMenu("debuginv");
    ASSERT_TRUE(ui_.IsVisible("Form4"));
    EXPECT_EQ(Callers.*flag, kCallerFlagSet);
    EXPECT_TRUE(ui_.IsLoaded(form_));
    ui_.On("Form4").Click("ExitButton");
    ASSERT_TRUE(ui_.IsVisible(form_));
    EXPECT_EQ(Callers.*flag, kCallerFlagBlank);
    EXPECT_FALSE(Lit(indicator));
    EXPECT_NE(ButtonValue(button), 0);
  }

 private:
  std::string ribbon_;
  std::string form_;
};

}  // namespace korvane::testing
