// The descriptions of the two reset windows: their reset buttons stored checked in their frames, the
// indicators of the outside button control beside them, and the exits and menu entries.
#include <gtest/gtest.h>

#include <string>

#include "forms/FormDescription.h"
#include "items/Navigation.h"
#include "items/tests/DescriptionChecks.h"
#include "movements/CounterReset.h"
#include "movements/Form37Description.h"

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

}  // namespace
}  // namespace korvane
