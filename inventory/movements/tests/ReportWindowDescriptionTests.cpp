// The report windows' form descriptions: their titles, buttons, list and column heads, as the windows
// and their users rely on them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/FormDescription.h"
#include "items/Navigation.h"
#include "items/tests/DescriptionChecks.h"
#include "movements/Form12Description.h"
#include "movements/Form41Description.h"

namespace korvane {
namespace {

using forms::ElementDescription;
using testing::BagState;
using testing::FindElement;

std::vector<std::string> LabelCaptions(const ElementDescription& form) {
  std::vector<std::string> captions;
  for (const auto& child : form.children) {
    if (child.kind == "label") captions.push_back(child.name + " " + child.Text("caption"));
  }
  return captions;
}

// What both report windows have: the print and screen buttons without captions, the list, the exit
// button, the decoration ribbon, the two menu entries and a hover effect on each of the two buttons.
void ExpectReportWindow(const ElementDescription& form, const char* window) {
  EXPECT_EQ(form.name, window);
  EXPECT_EQ(form.Text("caption"), TitleOf(window));
  for (const char* button : {"cmdPrint", "cmdScreen", "ExitButton"}) {
    testing::ExpectLibraryControl(form, button, testing::kCommandClsid);
  }
  for (const char* button : {"cmdPrint", "cmdScreen"}) {
    EXPECT_FALSE(BagState(*FindElement(form, button)).Has("Caption")) << button;
    EXPECT_NE(FindHoverEffect(window, button), nullptr) << button;
  }
  EXPECT_EQ(BagState(*FindElement(form, "ExitButton")).Text("Caption"), "Click to Exit");
  testing::ExpectLibraryControl(form, "QvRibbon8", testing::kRibbonClsid);
  EXPECT_TRUE(FindElement(form, "QvRibbon8")->Has("notabstop"));
  const ElementDescription* list = FindElement(form, "List1");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->kind, "listbox");
  // The lines are laid out in columns of characters: a fixed-pitch font keeps them under their heads.
  ASSERT_TRUE(list->Font());
  EXPECT_EQ(list->Font()->name, "Courier New");
  EXPECT_EQ(FindElement(form, "debuginv")->Text("caption"), "&Debug Inventory");
  EXPECT_EQ(FindElement(form, "help")->Text("caption"), "&Help");
  testing::ExpectDistinctTabPlaces(form);
}

TEST(AdjustmentsReportDescription, HasTheButtonsTheListAndItsColumnHeads) {
  const ElementDescription form = forms::ParseFormDescription(kForm41Description);
  ExpectReportWindow(form, "Form41");
  EXPECT_EQ(LabelCaptions(form), (std::vector<std::string>{"Label6 CAT #.", "Label3 Item #", "Label9 Description",
                                                           "Label2 Stock", "Label1 Receipts", "Label5 Reorder"}));
}

TEST(SalesReportDescription, HasTheButtonsTheListAndItsColumnHeads) {
  const ElementDescription form = forms::ParseFormDescription(kForm12Description);
  ExpectReportWindow(form, "Form12");
  EXPECT_EQ(LabelCaptions(form),
            (std::vector<std::string>{"Label2 Item#", "Label8 Description", "Label3 Sold Day", "Label4 Sold Week",
                                      "Label5 Sold Month", "Label6 Sold Year", "Label7 On Hand"}));
}

}  // namespace
}  // namespace korvane
