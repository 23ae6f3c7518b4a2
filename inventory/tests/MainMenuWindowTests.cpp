// The main menu and the way between the windows, worked through the forms test driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "HelpPageChecks.h"
#include "KorvaneWindowsFixture.h"
#include "items/ItemFile.h"
#include "items/MainMenuWindow.h"
#include "items/Navigation.h"
#include "movements/AdjustInventoryWindow.h"

namespace korvane {
namespace {

using testing::CapsLockIsOn;
using testing::InstallHelpPage;
using testing::SameFolder;
using testing::kValueDispid;
using testing::SwitchCapsLockOff;

class MainMenuWindow : public testing::KorvaneWindowsTest {
 protected:
  forms::testing::DrivenForm StartProgram() { return ui_.Show<Form1>(); }

  int LoadedCount(const std::string& form) {
    const auto loaded = ui_.LoadedForms();
    return static_cast<int>(std::count(loaded.begin(), loaded.end(), form));
  }
};

TEST_F(MainMenuWindow, StartsOnDriveCWithCapsLockOnAndTheRibbonsUp) {
  auto menu = StartProgram();
  EXPECT_EQ(menu.Caption(), "Main Menu- Korvane Duze Ver. 1.0");
  EXPECT_TRUE(menu.Visible());
  EXPECT_TRUE(CapsLockIsOn());
  EXPECT_TRUE(SameFolder(shell::CurrentFolder(), "c:\\Korvane"));
  for (const char* ribbon : kMainMenuRibbonsReleasedOnLoad) EXPECT_EQ(Property("Form1", ribbon, kValueDispid), 0) << ribbon;
  EXPECT_EQ(menu.MenuCaption("adjustinventory"), "&Adjust Inventory / Sales");
  EXPECT_EQ(menu.MenuCaption("about"), "About ");
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(MainMenuWindow, EachButtonAndMenuEntryOpensItsWindowWithItsTitle) {
  for (const MainMenuAction& action : kMainMenuActions) {
    if (action.batchFile) continue;  // the debug tool: below
    SCOPED_TRACE(action.control);
    auto menu = StartProgram();
    const bool isMenuEntry = std::islower(static_cast<unsigned char>(action.control[0])) != 0;
    if (isMenuEntry) {
      menu.ChooseMenu(action.control);
    } else {
      menu.Click(action.control);
    }
    ASSERT_TRUE(ui_.IsVisible(action.opens));
    EXPECT_EQ(ui_.On(action.opens).Caption(), TitleOf(action.opens));
    EXPECT_TRUE(ui_.IsVisible("Form1"));  // the main menu stays behind it
    EXPECT_TRUE(ui_.MessageBoxes().empty());
    forms::Forms::UnloadAll();
  }
}

TEST_F(MainMenuWindow, OpeningAWindowTwiceKeepsOneWindow) {
  auto menu = StartProgram();
  menu.Click("InventoryAdjustments");
  forms::Form* first = &ui_.On("Form3").Get();
  ui_.On("Form3").Type("Text38", "XY");
  menu.Click("InventoryAdjustments");  // the ribbon goes up again: a second click
  menu.ChooseMenu("adjustinventory");
  EXPECT_EQ(LoadedCount("Form3"), 1);
  EXPECT_EQ(&ui_.On("Form3").Get(), first);
  EXPECT_EQ(ui_.On("Form3").Text("Text38"), "XY");
}

TEST_F(MainMenuWindow, ExitReturnsToAFreshMainMenuWhoseLoadRanAgain) {
  auto menu = StartProgram();
  menu.Click("InventoryAdjustments");
  forms::Form* oldMenu = &menu.Get();
  (void)menu.Get().Hosted("InventoryReports").SetProperty(kValueDispid, true);
  SwitchCapsLockOff();
  Callers.DebugFromForm3 = kCallerFlagSet;

  ui_.On("Form3").Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form3"));
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
  EXPECT_EQ(Property("Form1", "InventoryReports", kValueDispid), 0);
  EXPECT_TRUE(CapsLockIsOn());
  EXPECT_EQ(Callers.DebugFromForm3, kCallerFlagBlank);
  EXPECT_EQ(LoadedCount("Form1"), 1);
}

TEST_F(MainMenuWindow, TheDebugToolFromAWorkingWindowSetsOnlyItsFlagAndReturnsToIt) {
  StartProgram().Click("InventoryAdjustments");
  ui_.On("Form3").ChooseMenu("debuginv");
  ASSERT_TRUE(ui_.IsVisible("Form4"));
  EXPECT_EQ(ui_.On("Form4").Caption(), "Debug Inventory");
  EXPECT_TRUE(ui_.IsLoaded("Form3"));
  for (const CallerFlagRow& row : kCallerFlagOrder) {
    EXPECT_EQ(Callers.*(row.flag), std::string(row.window) == "Form3" ? kCallerFlagSet : kCallerFlagBlank)
        << row.window;
  }
  forms::Form* oldForm3 = &ui_.On("Form3").Get();
  ui_.On("Form4").Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form4"));
  ASSERT_TRUE(ui_.IsVisible("Form3"));
  EXPECT_NE(&ui_.On("Form3").Get(), oldForm3);  // loaded afresh
  EXPECT_EQ(Callers.DebugFromForm3, kCallerFlagBlank);
}

TEST_F(MainMenuWindow, TheDebugToolFromTheMainMenuBacksUpFirstAndReturnsToTheMainMenu) {
  testing::WriteBytes("c:\\Korvane\\BAKITEMD.BAT", "@copy /y Item.dat Item.bak >nul\r\n");
  auto menu = StartProgram();
  menu.Click("DebugTool");
  ASSERT_TRUE(ui_.IsVisible("Form4"));
  for (const CallerFlagRow& row : kCallerFlagOrder) EXPECT_EQ(Callers.*(row.flag), kCallerFlagBlank) << row.window;
  EXPECT_TRUE(ui_.MessageBoxes().empty()) << "the batch file was started";
  forms::Form* oldMenu = &ui_.On("Form1").Get();
  ui_.On("Form4").Click("ExitButton");
  EXPECT_FALSE(ui_.IsLoaded("Form4"));
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);
}

TEST_F(MainMenuWindow, AMissingBackupBatchFileIsReportedNotStartedAndTheDebugToolStillOpens) {
  DeleteFileA("c:\\Korvane\\BAKITEMD.BAT");
  for (const char* entry : {"DebugTool", "debugtools"}) {
    SCOPED_TRACE(entry);
    ui_.ForgetMessageBoxes();
    auto menu = StartProgram();
    ui_.AnswerNextMessageBox(IDOK);
    if (entry[0] == 'D') {
      menu.Click(entry);
    } else {
      menu.ChooseMenu(entry);
    }
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, "Cannot start \"" + std::string(FindMainMenuAction(entry)->batchFile) + "\".");
    EXPECT_EQ(ui_.MessageBoxes()[0].style, 16u);
    EXPECT_TRUE(ui_.IsVisible("Form4"));
    forms::Forms::UnloadAll();
  }
}

TEST_F(MainMenuWindow, AWorkingWindowsHelpPageOpensFromTheHelpFolderAndTheDataFolderIsCurrentAfter) {
  InstallHelpPage("inventoryadjust-1050.htm");
  StartProgram().Click("InventoryAdjustments");
  testing::ExpectHelpPageShown(ui_.On("Form3"), "help", "Adjust Inventory / Sales - Korvane Help");
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(MainMenuWindow, TheMainMenusHelpPagesOpenFromTheHelpFolderMainProgramMaximized) {
  struct Case {
    const char* menuEntry;
    const char* page;
    const char* title;
    bool maximized;
  };
  const Case cases[] = {
      {"mainprogram", "index.htm", "Korvane Help - Korvane Help", true},
      {"about", "KorvaneSupport.htm", "About Korvane - Korvane Help", false},
      {"fendrixupload", "fendrixupload.htm", "Fendrix Payroll Freeware - Korvane Help", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.menuEntry);
    InstallHelpPage(c.page);
    auto menu = StartProgram();
    // As after any working window's own help: the data folder, where no page lives, is current.
    ASSERT_TRUE(shell::ChangeFolder("c:\\Korvane"));
    menu.ChooseMenu(c.menuEntry);
    EXPECT_TRUE(SameFolder(shell::CurrentFolder(), "c:\\Korvane")) << shell::CurrentFolder();
    HWND viewer = testing::WaitForHelpViewer(c.title);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(IsZoomed(viewer) != FALSE, c.maximized);
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
    forms::Forms::UnloadAll();
  }
}

TEST_F(MainMenuWindow, AWindowThatChecksTheItemFileReportsOneItCannotRead) {
  WriteItemFile(testing::ItemFileBytes(testing::SmallItemFile()) + "5\r\n");  // 65 lines
  auto menu = StartProgram();
  forms::Form* oldMenu = &menu.Get();
  ui_.AnswerNextMessageBox(IDOK);
  menu.Click("InvAdjRpt");
  ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
  const auto& box = ui_.MessageBoxes()[0];
  EXPECT_EQ(box.text, "Error Condition Exists, goto (Debug Inventory) to correct.");
  EXPECT_EQ(box.title, "Error Condition Query");
  EXPECT_EQ(box.style, 16u);
  EXPECT_EQ(box.help_file, "DEMO.HLP");
  EXPECT_EQ(box.help_context, 1000u);
  EXPECT_TRUE(ui_.IsVisible("Form41"));  // the window stays open
  ASSERT_TRUE(ui_.IsVisible("Form1"));
  EXPECT_NE(&ui_.On("Form1").Get(), oldMenu);  // a fresh main menu behind it

  // A sound file passes the same check without a word.
  ui_.ForgetMessageBoxes();
  WriteItemFile(testing::ItemFileBytes(testing::SmallItemFile()));
  ui_.On("Form41").Click("ExitButton");
  ui_.On("Form1").Click("ZeroSales");
  EXPECT_TRUE(ui_.IsVisible("Form63"));
  EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(MainMenuWindow, ExitEndsTheProgramWithTheWindowsItUnloads) {
  StartProgram();
  ui_.On("Form1").Click("ExitButton");
  EXPECT_TRUE(ui_.ProgramEnded());

  StartProgram().Close();  // the window's close box
  EXPECT_TRUE(ui_.ProgramEnded());

  StartProgram().Click("SortInventoryFile").Click("InventoryReports");
  ASSERT_TRUE(ui_.IsLoaded("Form2"));
  ASSERT_TRUE(ui_.IsLoaded("Form60"));
  ui_.On("Form1").Click("ExitButton");
  EXPECT_TRUE(ui_.LoadedForms().empty());
  EXPECT_TRUE(ui_.ProgramEnded());
}

TEST_F(MainMenuWindow, HoverEnlargesTheRibbonsCaption) {
  auto menu = StartProgram();
  menu.MoveMouseOver("SalesAndInventory");
  EXPECT_NEAR(Property("Form1", "SalesAndInventory", testing::kFontSizeDispid), 12, testing::kFontSizeStep);
  menu.MoveMouseOver("ZeroSales");
  EXPECT_NEAR(Property("Form1", "SalesAndInventory", testing::kFontSizeDispid), 10, testing::kFontSizeStep);
  EXPECT_NEAR(Property("Form1", "ZeroSales", testing::kFontSizeDispid), 12, testing::kFontSizeStep);
}

}  // namespace
}  // namespace korvane
