#include <gtest/gtest.h>

#include "forms/FormDescription.h"
#include "items/Navigation.h"
#include "items/tests/DescriptionChecks.h"
#include "movements/Form3Description.h"
#include "movements/MovementKind.h"

namespace korvane {
namespace {

using forms::ElementDescription;
using testing::FindElement;
using testing::BagState;

class AdjustInventoryDescription : public ::testing::Test {
 protected:
  ElementDescription form_ = forms::ParseFormDescription(kForm3Description);
};

TEST_F(AdjustInventoryDescription, TheFiveKindButtonsAreStoredCheckedWithTheirCaptions) {
  EXPECT_EQ(form_.name, "Form3");
  EXPECT_EQ(form_.Text("caption"), TitleOf("Form3"));
  const char* const captions[] = {"Receipts", "Transfers in", "Write offs", "Transfers out", "Sales"};
  for (const MovementKindInfo& info : kMovementKinds) {
    testing::ExpectLibraryControl(form_, info.control, testing::kCheckClsid);
    const ElementDescription* button = FindElement(form_, info.control);
    ASSERT_NE(button, nullptr);
    const BagState state(*button);
    EXPECT_EQ(state.Text("Caption"), captions[static_cast<int>(info.kind)]);
    EXPECT_EQ(state.Number("Value", 0), 1) << info.control;
    EXPECT_FALSE(state.Has("TripleState"));
    const HoverEffect* hover = FindHoverEffect("Form3", info.control);
    ASSERT_NE(hover, nullptr);
    EXPECT_EQ(state.Number("FontSize", 0), hover->onExit);
  }
}

TEST_F(AdjustInventoryDescription, HasTheBoxesLabelsMarkersButtonsAndMenus) {
  for (const char* box : {"Text38", "Text35", "Text37", "Text36", "Text16"}) {
    const ElementDescription* text = FindElement(form_, box);
    ASSERT_NE(text, nullptr) << box;
    EXPECT_EQ(text->kind, "textbox");
    EXPECT_TRUE(text->Has("tab"));
  }
  std::vector<std::string> labels;
  for (const auto& child : form_.children) {
    if (child.kind == "label") labels.push_back(child.Text("caption"));
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"   Input Item Number", "  <Hit Enter>", "       Description",
                                              "    Present Amount", "        Adjustment", "  <Hit Enter>",
                                              "Working on Rec #"}));
  for (int marker = 1; marker <= 4; ++marker) {
    const std::string name = "ribTravelVia" + std::to_string(marker);
    testing::ExpectLibraryControl(form_, name, testing::kRibbonClsid);
    const ElementDescription* ribbon = FindElement(form_, name);
    ASSERT_NE(ribbon, nullptr);
    EXPECT_EQ(BagState(*ribbon).Text("Caption"), std::to_string(marker));
    EXPECT_EQ(BagState(*ribbon).Number("MarqueeStyle", -1), 0);
    EXPECT_TRUE(ribbon->Has("notabstop"));
  }
  const char* const buttons[][2] = {
      {"SaveButton4", "Click to Save"}, {"RefreshAdJInv", "Refresh Page"}, {"ExitButton", "Click to Exit"}};
  for (const auto& button : buttons) {
    testing::ExpectLibraryControl(form_, button[0], testing::kCommandClsid);
    const ElementDescription* command = FindElement(form_, button[0]);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(BagState(*command).Text("Caption"), button[1]);
  }
  EXPECT_EQ(FindElement(form_, "debuginv")->Text("caption"), "&Debug Inventory");
  EXPECT_EQ(FindElement(form_, "help")->Text("caption"), "&Help");
  for (const HoverEffect& hover : kHoverEffects) {
    if (std::string_view(hover.window) == "Form3") {
      EXPECT_NE(FindElement(form_, hover.control), nullptr);
    }
  }
  testing::ExpectDistinctTabPlaces(form_);
}

TEST_F(AdjustInventoryDescription, TheTabOrderRunsFromTheKindsToTheButtons) {
  const char* const order[] = {"ItemReceipts", "ItemTransfersIn", "ItemWriteOffs", "ItemTransfersOut", "Sales",
                               "Text38", "Text35", "Text37", "Text36", "Text16",
                               "SaveButton4", "RefreshAdJInv", "ExitButton"};
  long previous = -1;
  for (const char* name : order) {
    const ElementDescription* control = FindElement(form_, name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_GT(control->Integer("tab", -1), previous) << name;
    previous = control->Integer("tab", -1);
  }
}

}  // namespace
}  // namespace korvane
