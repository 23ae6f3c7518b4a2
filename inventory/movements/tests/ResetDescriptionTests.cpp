// The descriptions of the two reset windows: their reset buttons stored checked in their frames, the
// indicators of the outside button control beside them, and the exits and menu entries.
#include <gtest/gtest.h>

#include <string>

#include "forms/FormDescription.h"
#include "items/Navigation.h"
#include "items/tests/DescriptionChecks.h"
#include "movements/CounterReset.h"
#include "movements/Form37Description.h"
#include "movements/Form63Description.h"

namespace korvane {
namespace {

using forms::ElementDescription;
using testing::BagState;
using testing::FindElement;

constexpr char kFrameClsid[] = "{1E8B9953-DB45-11CF-9B47-0000C0F04C96}";
constexpr char kIndicatorProgId[] = "BtnLib.vaBtn";

// A reset button: a check button stored checked, inside its frame, with its caption and the hover
// table's size at rest.
void ExpectResetButton(const ElementDescription& form, const ResetButton& button, const char* frame,
                       const char* caption) {
  SCOPED_TRACE(button.button);
  testing::ExpectLibraryControl(form, frame, kFrameClsid);
  const ElementDescription* holder = FindElement(form, frame);
  ASSERT_NE(holder, nullptr);
  ASSERT_NE(FindElement(*holder, button.button), nullptr) << "in its frame";
  testing::ExpectLibraryControl(form, button.button, testing::kCheckClsid);
  const BagState state(*FindElement(form, button.button));
  EXPECT_EQ(state.Text("Caption"), caption);
  EXPECT_EQ(state.Number("Value", 0), 1);
  EXPECT_FALSE(state.Has("TripleState"));
  const HoverEffect* hover = FindHoverEffect(form.name, button.button);
  ASSERT_NE(hover, nullptr);
  EXPECT_EQ(state.Number("FontSize", 0), hover->onExit);
}

// An indicator: the outside button control by its ProgID, without caption, to the right of the frame.
void ExpectIndicator(const ElementDescription& form, const ResetButton& button, const char* frame) {
  SCOPED_TRACE(button.indicator);
  const ElementDescription* indicator = FindElement(form, button.indicator);
  ASSERT_NE(indicator, nullptr);
  EXPECT_EQ(indicator->kind, "activex");
  EXPECT_EQ(indicator->Text("progid"), kIndicatorProgId);
  EXPECT_FALSE(indicator->Has("clsid"));
  EXPECT_FALSE(BagState(*indicator).Has("Caption"));
  const ElementDescription* holder = FindElement(form, frame);
  ASSERT_TRUE(indicator->Rect() && holder && holder->Rect());
  EXPECT_GE(indicator->Rect()->left, holder->Rect()->left + holder->Rect()->width);
  EXPECT_LT(indicator->Rect()->top, holder->Rect()->top + holder->Rect()->height);
  EXPECT_GT(indicator->Rect()->top + indicator->Rect()->height, holder->Rect()->top);
}

TEST(ZeroAdjustmentsDescription, TheButtonInItsFrameAndTheIndicatorBesideIt) {
  const ElementDescription form = forms::ParseFormDescription(kForm37Description);
  EXPECT_EQ(form.name, "Form37");
  EXPECT_EQ(form.Text("caption"), TitleOf("Form37"));
  ExpectResetButton(form, kZeroAdjustmentsButton, "QvFrame1", "Zero Adjustments");
  ExpectIndicator(form, kZeroAdjustmentsButton, "QvFrame1");

  const ElementDescription* exit = FindElement(form, "Command4");
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(exit->kind, "button");
  EXPECT_EQ(exit->Text("caption"), "Command4");
  EXPECT_FALSE(exit->Text("picture").empty());
  for (const char* picture : {"Picture1", "Picture3", "Picture4"}) {
    ASSERT_NE(FindElement(form, picture), nullptr) << picture;
    EXPECT_EQ(FindElement(form, picture)->kind, "picturebox");
  }
  EXPECT_EQ(FindElement(form, "help")->Text("caption"), std::string(23, ' ') + "&Help");
  EXPECT_EQ(FindElement(form, "debuginv")->Text("caption"), std::string(74, ' ') + "&Debug Inventory");
  testing::ExpectDistinctTabPlaces(form);
}

TEST(ZeroSalesDescription, FourPeriodButtonsTopToBottomEachInItsFrameWithItsIndicator) {
  const ElementDescription form = forms::ParseFormDescription(kForm63Description);
  EXPECT_EQ(form.name, "Form63");
  EXPECT_EQ(form.Text("caption"), TitleOf("Form63"));
  const char* const frames[] = {"QvFrame1", "QvFrame2", "QvFrame3", "QvFrame4"};
  const char* const captions[] = {"Daily Processing", "Weekly Processing", "Monthly Processing",
                                  "Yearly  Processing"};
  int previousTop = -1;
  for (std::size_t period = 0; period < kSalesPeriodButtons.size(); ++period) {
    ExpectResetButton(form, kSalesPeriodButtons[period], frames[period], captions[period]);
    ExpectIndicator(form, kSalesPeriodButtons[period], frames[period]);
    const ElementDescription* frame = FindElement(form, frames[period]);
    ASSERT_TRUE(frame && frame->Rect());
    EXPECT_GT(frame->Rect()->top, previousTop) << frames[period];
    previousTop = frame->Rect()->top;
  }
  const ElementDescription* label = FindElement(form, "Label1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->kind, "label");
  EXPECT_EQ(label->Text("caption"),
            "      Processing will zero current records and update selected period figures ");
  EXPECT_LT(label->Rect()->top, FindElement(form, "QvFrame1")->Rect()->top);

  testing::ExpectLibraryControl(form, "ExitButton", testing::kCommandClsid);
  EXPECT_EQ(BagState(*FindElement(form, "ExitButton")).Text("Caption"), "Click to Exit");
  testing::ExpectLibraryControl(form, "QvCommand1", testing::kCommandClsid);

  EXPECT_EQ(FindElement(form, "debuginv")->Text("caption"), std::string(18, ' ') + "&Debug Inventory");
  const char* const helpMenus[][2] = {{"helpday", "&Help on Daily"},
                                      {"helpweek", "&Help on Weekly"},
                                      {"helpmonth", "&Help on Monthly"},
                                      {"helpyear", "&Help on Yearly"}};
  for (const auto& menu : helpMenus) {
    ASSERT_NE(FindElement(form, menu[0]), nullptr) << menu[0];
    EXPECT_EQ(FindElement(form, menu[0])->kind, "menu");
    EXPECT_EQ(FindElement(form, menu[0])->Text("caption"), menu[1]);
    EXPECT_NE(FindHelpPage("Form63", menu[0]), nullptr) << menu[0];
  }
  testing::ExpectDistinctTabPlaces(form);
}

}  // namespace
}  // namespace korvane
