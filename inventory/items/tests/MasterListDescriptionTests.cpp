#include <gtest/gtest.h>

#include <string>

#include "forms/FormDescription.h"
#include "items/Form60Description.h"
#include "items/MasterListPage.h"
#include "items/Navigation.h"
#include "items/tests/DescriptionChecks.h"

namespace korvane {
namespace {

using forms::ElementDescription;
using testing::BagState;
using testing::FindElement;

class MasterListDescription : public ::testing::Test {
 protected:
  ElementDescription form_ = forms::ParseFormDescription(kForm60Description);
};

TEST_F(MasterListDescription, HasTheButtonsAndRibbonsWithTheirCaptionsAndTooltips) {
  EXPECT_EQ(form_.name, "Form60");
  EXPECT_EQ(form_.Text("caption"), TitleOf("Form60"));
  struct Button {
    const char* name;
    const char* clsid;
    const char* caption;  // nullptr: a picture button
    const char* tooltip;
  };
  const Button buttons[] = {
      {"AddEntry", testing::kCommandClsid, "Click to Add", ""},
      {"SaveButton", testing::kCommandClsid, "Click to Save", ""},
      {"DeleteEntry", testing::kCommandClsid, "Click to Delete", ""},
      {"ExitButton", testing::kCommandClsid, "Click to Exit", ""},
      {"RefreshRibbon", testing::kRibbonClsid, "Refresh Unsorted Screen", "Click to Refresh"},
      {"SortMasterList", testing::kRibbonClsid, "Screen Sort By Category", "Click to Sort"},
      {"PrintAll", testing::kCommandClsid, nullptr, ""},
      {"PrintAllSorted", testing::kCommandClsid, nullptr, ""},
      {"PrintSelected", testing::kCommandClsid, nullptr, ""},
  };
  for (const Button& b : buttons) {
    testing::ExpectLibraryControl(form_, b.name, b.clsid);
    const ElementDescription* button = FindElement(form_, b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Text("tooltip"), b.tooltip) << b.name;
    const BagState state(*button);
    if (b.caption) {
      EXPECT_EQ(state.Text("Caption"), b.caption) << b.name;
    }
    if (const HoverEffect* hover = FindHoverEffect("Form60", b.name)) {
      if (hover->property == HoverProperty::FontSize) {
        EXPECT_EQ(state.Number("FontSize", 0), hover->onExit);
      }
    }
  }
  testing::ExpectDistinctTabPlaces(form_);
}

TEST_F(MasterListDescription, TheReminderIsElementOneOfARibbonArrayStoredHidden) {
  const ElementDescription* reminder = FindElement(form_, "ribTravelVia");
  ASSERT_NE(reminder, nullptr);
  EXPECT_EQ(reminder->index, 1);
  testing::ExpectLibraryControl(form_, "ribTravelVia", testing::kRibbonClsid);
  EXPECT_TRUE(reminder->Has("hidden"));
  EXPECT_EQ(BagState(*reminder).Text("Caption"), "Don't use commas or quotes on input");
}

TEST_F(MasterListDescription, HasTheListsAndEveryBoxOfTheEditRowUnderItsLabel) {
  const ElementDescription* list1 = FindElement(form_, "List1");
  const ElementDescription* list2 = FindElement(form_, "List2");
  ASSERT_TRUE(list1 && list2);
  EXPECT_EQ(list1->Text("tooltip"), "Click to change");
  EXPECT_EQ(list1->Font()->name, "Courier New");
  EXPECT_EQ(list1->Font()->points, 8.25);
  EXPECT_EQ(list2->Text("tooltip"), "Click to Select");
  EXPECT_EQ(list2->Font()->name, "MS Sans Serif");
  EXPECT_EQ(list2->Font()->points, 9.75);
  EXPECT_TRUE(list2->Font()->bold);

  const char* const labels[][2] = {
      {"Text2", "Rec #"},    {"Text4", "Cat. #"},   {"Text3", "Item#"},      {"Text6", "Description"},
      {"Text5", "Cost"},     {"Text10", "Price 1"}, {"Text7", "Stock"},      {"Text8", "Reorder"},
      {"Text9", "Sold Dy"},  {"Text11", "Sld Wk"},  {"Text12", "Sld Mth"},   {"Text14", "Sld Yr"},
      {"Text13", "Rects."},  {"Text15", "Trs. In"}, {"Text24", "Trs. Out"},  {"Text23", "Write Offs"},
      {"Text16", "Working on Rec #"},
  };
  for (const auto& [box, caption] : labels) {
    SCOPED_TRACE(box);
    const ElementDescription* text = FindElement(form_, box);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->kind, "textbox");
    // The label just above the box, left-aligned with it.
    bool labelled = false;
    for (const auto& child : form_.children) {
      if (child.kind == "label" && child.Rect() && child.Rect()->left == text->Rect()->left &&
          child.Rect()->top + child.Rect()->height == text->Rect()->top) {
        EXPECT_EQ(child.Text("caption"), caption);
        labelled = true;
      }
    }
    EXPECT_TRUE(labelled);
  }
  const ElementDescription* slot = FindElement(form_, "Text16");
  EXPECT_TRUE(slot->Has("readonly"));
  EXPECT_TRUE(slot->Has("notabstop"));
  for (EditBox box : kEditBoxesInRebuildOrder) EXPECT_NE(FindElement(form_, EditBoxName(box)), nullptr);

  for (const char* caption : {"(Choose Cat. #)", "Print Reports Selection", "Reports by Selected Category Code"}) {
    bool found = false;
    for (const auto& child : form_.children) found |= child.kind == "label" && child.Text("caption") == caption;
    EXPECT_TRUE(found) << caption;
  }
}

TEST_F(MasterListDescription, HasTheDebugAndHelpMenuEntries) {
  const ElementDescription* debug = FindElement(form_, "debuginv");
  const ElementDescription* help = FindElement(form_, "help");
  ASSERT_TRUE(debug && help);
  EXPECT_EQ(debug->Text("caption"), "&Debug Inventory");
  EXPECT_EQ(help->Text("caption"), "&Help");
  EXPECT_NE(FindHelpPage("Form60", "help"), nullptr);
}

}  // namespace
}  // namespace korvane
