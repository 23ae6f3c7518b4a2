// The program's windows with their buttons hosted through COM by the program's own ActiveX container,
// the registered test control standing in for the control library's classes: the road from the main
// menu to a posted sale, and the pictures of both windows.
#include <gtest/gtest.h>

#include "HostedThroughComFixture.h"
#include "KorvaneWindowsFixture.h"
#include "items/MainMenuWindow.h"
#include "movements/MovementKind.h"

namespace korvane {
namespace {

using testing::kMarqueeStyleDispid;
using testing::kValueDispid;

using WindowsHostedThroughCom = testing::KorvaneWindowsHostedThroughComTest;

TEST_F(WindowsHostedThroughCom, ARibbonOfTheMainMenuOpensAdjustInventory) {
  auto menu = ui_.Show<Form1>();
  for (const char* ribbon : kMainMenuRibbonsReleasedOnLoad) EXPECT_EQ(Property("Form1", ribbon, kValueDispid), 0) << ribbon;
  menu.Click("InventoryAdjustments");
  ASSERT_TRUE(ui_.IsVisible("Form3"));
  EXPECT_EQ(ui_.On("Form3").Caption(), "Adjust Inventory");
  // Loaded with every kind button checked and step 1 blinking.
  for (const MovementKindInfo& info : kMovementKinds) EXPECT_NE(Property("Form3", info.control, kValueDispid), 0) << info.control;
  EXPECT_EQ(BlinkingMarker(), 1);
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(WindowsHostedThroughCom, ASaleIsPostedThroughTheHostedButtons) {
  ui_.Show<Form1>().Click("InventoryAdjustments");
  testing::SwitchCapsLockOff();
  auto window = ui_.On("Form3");
  window.Click("ItemReceipts").Click("Sales");
  for (const MovementKindInfo& info : kMovementKinds) {
    EXPECT_EQ(Property("Form3", info.control, kValueDispid) == 0, info.kind == MovementKind::Sale) << info.control;
  }
  EXPECT_EQ(BlinkingMarker(), 2);
  window.Type("Text38", "ab").PressEnter("Text38");
  EXPECT_EQ(window.Text("Text16"), "1");
  EXPECT_EQ(BlinkingMarker(), 3);
  window.Type("Text36", "2").PressEnter("Text36");
  EXPECT_EQ(BlinkingMarker(), 4);
  window.Click("SaveButton4");
  EXPECT_EQ(ItemFileNow(), testing::ItemFileBytes(testing::AfterASaleOf2OnTheFirstItem()));
  EXPECT_EQ(BlinkingMarker(), 1);
  EXPECT_EQ(Property("Form3", "ribTravelVia1", kMarqueeStyleDispid), 3);
}

TEST_F(WindowsHostedThroughCom, BothWindowsAreSavedAsPictures) {
  ui_.Show<Form1>();
  const std::string menuPicture = testing::TestProgramFolder() + "main-menu.png";
  ui_.SavePng("Form1", menuPicture);
  EXPECT_GT(testing::ReadBytes(menuPicture).size(), 1000u);

  ui_.On("Form1").Click("InventoryAdjustments");
  ui_.On("Form3").Click("ItemReceipts").Type("Text38", "AB").PressEnter("Text38");
  const std::string adjustPicture = testing::TestProgramFolder() + "adjust-inventory.png";
  ui_.SavePng("Form3", adjustPicture);
  EXPECT_GT(testing::ReadBytes(adjustPicture).size(), 1000u);
}

}  // namespace
}  // namespace korvane
