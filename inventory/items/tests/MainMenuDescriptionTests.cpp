#include <gtest/gtest.h>

#include "forms/FormDescription.h"
#include "items/Form1Description.h"
#include "items/Navigation.h"
#include "items/tests/DescriptionChecks.h"

namespace korvane {
namespace {

using forms::ElementDescription;
using testing::FindElement;
using testing::BagState;

class MainMenuDescription : public ::testing::Test {
 protected:
  ElementDescription form_ = forms::ParseFormDescription(kForm1Description);
};

TEST_F(MainMenuDescription, HasTheEightRibbonsWithTheirCaptionsAndTooltips) {
  EXPECT_EQ(form_.name, "Form1");
  EXPECT_EQ(form_.Text("caption"), TitleOf("Form1"));
  struct Ribbon {
    const char* name;
    const char* caption;
    const char* tooltip;
  };
  const Ribbon ribbons[] = {
      {"InventoryReports", "Main Inventory", "Main Inventory"},
      {"InventoryAdjustments", "Adjust Inventory / Sales", "Adjust Inventory"},
      {"InvAdjRpt", "Adjustments / Low Stock Report", "Adjustments Report"},
      {"SalesAndInventory", "Sales Report", "Sales Report"},
      {"ProcessInventory", "Zero Adjustments", "Zero Adjustments"},
      {"ZeroSales", "Zero Sales", "Zero Sales"},
      {"SortInventoryFile", "Sort Inventory File", "Sort Inventory File"},
      {"DebugTool", "Debug Inventory", "Debug Inventory"},
  };
  for (const Ribbon& r : ribbons) {
    testing::ExpectLibraryControl(form_, r.name, testing::kRibbonClsid);
    const ElementDescription* ribbon = FindElement(form_, r.name);
    ASSERT_NE(ribbon, nullptr);
    EXPECT_EQ(ribbon->Text("tooltip"), r.tooltip);
    const BagState state(*ribbon);
    EXPECT_EQ(state.Text("Caption"), r.caption);
    // Ungrouped and stored up, at the size the hover effect returns to.
    EXPECT_EQ(state.Number("GroupNumber", 1), 0);
    EXPECT_EQ(state.Number("Value", 0), 0);
    const HoverEffect* hover = FindHoverEffect("Form1", r.name);
    ASSERT_NE(hover, nullptr);
    EXPECT_EQ(state.Number("FontSize", 0), hover->onExit);
    EXPECT_NE(FindMainMenuAction(r.name), nullptr);
  }
  for (const char* released : kMainMenuRibbonsReleasedOnLoad) EXPECT_NE(FindElement(form_, released), nullptr);
  testing::ExpectLibraryControl(form_, "ExitButton", testing::kCommandClsid);
  EXPECT_NE(FindElement(form_, "Picture2"), nullptr);
  testing::ExpectDistinctTabPlaces(form_);
}

TEST_F(MainMenuDescription, HasTheMenuBarInItsOrderWithTheHelpSubmenu) {
  const char* const bar[][2] = {
      {"reports", "&Main Inventory"},
      {"adjustinventory", "&Adjust Inventory / Sales"},
      {"adjustrpt", "&Adjustments / Low Stock Report"},
      {"salesinventoryrpt", "&Sales Report"},
      {"processinv", "&Zero Adjustments"},
      {"deletesales", "&Zero Sales"},
      {"debugtools", "&Debug Inventory"},
      {"databases", "&Sort Inventory File"},
      {"helpfiles", "&Help"},
  };
  std::vector<const ElementDescription*> menus;
  for (const auto& child : form_.children) {
    if (child.kind == "menu") menus.push_back(&child);
  }
  ASSERT_EQ(menus.size(), std::size(bar));
  for (std::size_t i = 0; i < menus.size(); ++i) {
    EXPECT_EQ(menus[i]->name, bar[i][0]);
    EXPECT_EQ(menus[i]->Text("caption"), bar[i][1]);
    if (menus[i]->name != std::string("helpfiles")) {
      EXPECT_NE(FindMainMenuAction(menus[i]->name), nullptr);
    }
  }
  const ElementDescription& help = *menus.back();
  const char* const pages[][2] = {
      {"mainprogram", "Main Program"}, {"about", "About "}, {"fendrixupload", "Fendrix Payroll Freeware"}};
  ASSERT_EQ(help.children.size(), std::size(pages));
  for (std::size_t i = 0; i < help.children.size(); ++i) {
    EXPECT_EQ(help.children[i].name, pages[i][0]);
    EXPECT_EQ(help.children[i].Text("caption"), pages[i][1]);
    EXPECT_NE(FindHelpPage("Form1", pages[i][0]), nullptr);
  }
}

TEST(NavigationTables, NameOnlyWindowsOfTheProgram) {
  for (const MainMenuAction& action : kMainMenuActions) EXPECT_NE(TitleOf(action.opens), nullptr) << action.control;
  for (const HelpPage& page : kHelpPages) EXPECT_NE(TitleOf(page.window), nullptr) << page.commandLine;
  for (const HoverEffect& hover : kHoverEffects) EXPECT_NE(TitleOf(hover.window), nullptr) << hover.control;
  for (const CallerFlagRow& row : kCallerFlagOrder) EXPECT_NE(TitleOf(row.window), nullptr);
  EXPECT_EQ(TitleOf("Form5"), nullptr);
}

TEST(CallerFlags, EachWorkingWindowHasItsOwnFlag) {
  CallerFlags flags;
  for (const CallerFlagRow& row : kCallerFlagOrder) {
    char* flag = CallerFlagOf(row.window, flags);
    ASSERT_NE(flag, nullptr) << row.window;
    EXPECT_EQ(*flag, kCallerFlagBlank);
    *flag = kCallerFlagSet;
    int set = 0;
    for (const CallerFlagRow& other : kCallerFlagOrder) set += flags.*(other.flag) == kCallerFlagSet;
    EXPECT_EQ(set, 1) << row.window;
    *flag = kCallerFlagBlank;
  }
  EXPECT_EQ(CallerFlagOf(kMainMenu, flags), nullptr);
  EXPECT_EQ(CallerFlagOf(kDebugInventory, flags), nullptr);
}

}  // namespace
}  // namespace korvane
