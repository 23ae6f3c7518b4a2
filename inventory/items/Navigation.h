// How the program's nine windows hand over to one another, as tables free of Windows: their titles, the
// main menu's buttons and menu entries and the window each opens, the flags that record which window
// opened the Debug Inventory tool, the help page of each window and the hover effect of each button.
#pragma once

#include <array>
#include <string_view>

namespace korvane {

// The data folder, which every help page launch makes current again, and the folder of the help pages.
inline constexpr char kStartDrive[] = "c";
inline constexpr char kDataFolder[] = "c:\\Korvane";
inline constexpr char kHelpFolder[] = "c:\\Korvane\\Help";

inline constexpr char kMainMenu[] = "Form1";
inline constexpr char kDebugInventory[] = "Form4";

struct WindowTitle {
  const char* window;
  const char* title;
};

inline constexpr std::array<WindowTitle, 9> kWindowTitles = {{
    {"Form1", "Main Menu- Korvane Duze Ver. 1.0"},
    {"Form60", "Korvane"},
    {"Form2", "Sort Inventory File"},
    {"Form4", "Debug Inventory"},
    {"Form3", "Adjust Inventory"},
    {"Form41", "Inventory Adjustment / Low Stock Report"},
    {"Form12", "Sales & Inventory Report"},
    {"Form37", "Zero Inventory Adjustments"},
    {"Form63", "Zero Sales History"},
}};

// The title of a window, or nullptr for a name that is no window of the program.
const char* TitleOf(std::string_view window);

// What a button or menu entry of the main menu does: open a window, after starting a batch file first
// where one is named (the backup before the Debug Inventory tool).
struct MainMenuAction {
  const char* control;
  const char* opens;
  const char* batchFile;  // nullptr: none
};

inline constexpr std::array<MainMenuAction, 16> kMainMenuActions = {{
    {"InventoryReports", "Form60", nullptr},
    {"InventoryAdjustments", "Form3", nullptr},
    {"InvAdjRpt", "Form41", nullptr},
    {"SalesAndInventory", "Form12", nullptr},
    {"ProcessInventory", "Form37", nullptr},
    {"ZeroSales", "Form63", nullptr},
    {"SortInventoryFile", "Form2", nullptr},
    {"DebugTool", "Form4", "BAKITEMD.BAT"},
    {"reports", "Form60", nullptr},
    {"adjustinventory", "Form3", nullptr},
    {"adjustrpt", "Form41", nullptr},
    {"salesinventoryrpt", "Form12", nullptr},
    {"processinv", "Form37", nullptr},
    {"deletesales", "Form63", nullptr},
    {"debugtools", "Form4", "BAKITEMD.bat"},
    {"databases", "Form2", nullptr},
}};

const MainMenuAction* FindMainMenuAction(std::string_view control);

// The ribbons whose Value the main menu's load sets to False, in this order; DebugTool and ZeroSales
// are left as they are.
inline constexpr std::array<const char*, 6> kMainMenuRibbonsReleasedOnLoad = {
    "InventoryReports", "SortInventoryFile", "InventoryAdjustments", "InvAdjRpt", "ProcessInventory",
    "SalesAndInventory"};

// The caller flags: one per working window that can open the Debug Inventory tool, "Y" while that
// window waits for the tool, blank otherwise. They start blank.
inline constexpr char kCallerFlagSet = 'Y';
inline constexpr char kCallerFlagBlank = ' ';

struct CallerFlags {
  char DebugFromForm60 = kCallerFlagBlank;
  char DebugFromForm2 = kCallerFlagBlank;
  char DebugFromForm3 = kCallerFlagBlank;
  char DebugFromForm12 = kCallerFlagBlank;
  char DebugFromForm41 = kCallerFlagBlank;
  char DebugFromForm37 = kCallerFlagBlank;
  char DebugFromForm63 = kCallerFlagBlank;
};

// The program's one set of caller flags.
extern CallerFlags Callers;

struct CallerFlagRow {
  const char* window;
  char CallerFlags::*flag;
};

// In the order in which the Debug Inventory tool tests them when it exits.
inline constexpr std::array<CallerFlagRow, 7> kCallerFlagOrder = {{
    {"Form60", &CallerFlags::DebugFromForm60},
    {"Form2", &CallerFlags::DebugFromForm2},
    {"Form3", &CallerFlags::DebugFromForm3},
    {"Form12", &CallerFlags::DebugFromForm12},
    {"Form41", &CallerFlags::DebugFromForm41},
    {"Form37", &CallerFlags::DebugFromForm37},
    {"Form63", &CallerFlags::DebugFromForm63},
}};

// The caller flag of a window, or nullptr for the main menu and the Debug Inventory tool.
char* CallerFlagOf(std::string_view window, CallerFlags& flags = Callers);

// A help page: the viewer's command line, started from a window's help menu entry in the help folder, where
// the pages live; the data folder is made current again afterwards.
enum class HelpWindow { Normal, Maximized };

struct HelpPage {
  const char* window;
  const char* menuEntry;
  const char* commandLine;
  HelpWindow show;
};

inline constexpr std::array<HelpPage, 14> kHelpPages = {{
    {"Form1", "mainprogram", "hh index.htm", HelpWindow::Maximized},
    {"Form1", "about", "hh KorvaneSupport.htm", HelpWindow::Normal},
    {"Form1", "fendrixupload", "hh fendrixupload.htm", HelpWindow::Normal},
    {"Form2", "help", "hh SortInventoryFile.htm", HelpWindow::Normal},
    {"Form3", "help", "hh inventoryadjust-1050.htm", HelpWindow::Normal},
    {"Form41", "help", "hh printinvadjust-1065.htm", HelpWindow::Normal},
    {"Form12", "help", "hh printsandi-1074.htm", HelpWindow::Normal},
    {"Form37", "help", "hh zeroinvtranslist-1089.htm", HelpWindow::Normal},
    {"Form63", "helpday", "hh dailyprocessing-1033.htm", HelpWindow::Normal},
    {"Form63", "helpweek", "hh mainweeklyprocess-1085.htm", HelpWindow::Normal},
    {"Form63", "helpmonth", "hh mainmonthprocess-1056.htm", HelpWindow::Normal},
    {"Form63", "helpyear", "hh mailyearlyprocess-1088.htm", HelpWindow::Normal},
    {"Form4", "help", "hh DebugTool.htm", HelpWindow::Normal},
    {"Form60", "help", "hh korvane.htm", HelpWindow::Normal},
}};

const HelpPage* FindHelpPage(std::string_view window, std::string_view menuEntry);

// The hover effect of a button: on mouse enter and mouse exit one property of the button is set by its
// dispatch identifier, FontSize (a single-precision size) or FontBold (True for a non-zero value).
enum class HoverProperty { FontSize = 2, FontBold = 3 };

struct HoverEffect {
  const char* window;
  const char* control;
  HoverProperty property;
  float onEnter;
  float onExit;
};

inline constexpr std::array<HoverEffect, 30> kHoverEffects = {{
    {"Form1", "InventoryReports", HoverProperty::FontSize, 12, 10},
    {"Form1", "InventoryAdjustments", HoverProperty::FontSize, 12, 10},
    {"Form1", "InvAdjRpt", HoverProperty::FontSize, 12, 10},
    {"Form1", "SalesAndInventory", HoverProperty::FontSize, 12, 10},
    {"Form1", "ProcessInventory", HoverProperty::FontSize, 12, 10},
    {"Form1", "ZeroSales", HoverProperty::FontSize, 12, 10},
    {"Form1", "SortInventoryFile", HoverProperty::FontSize, 12, 10},
    {"Form1", "DebugTool", HoverProperty::FontSize, 12, 10},
    {"Form2", "SortInventoryFile", HoverProperty::FontSize, 12, 10},
    {"Form3", "ItemReceipts", HoverProperty::FontSize, 10, 8},
    {"Form3", "ItemTransfersIn", HoverProperty::FontSize, 10, 8},
    {"Form3", "ItemTransfersOut", HoverProperty::FontSize, 10, 8},
    {"Form3", "ItemWriteOffs", HoverProperty::FontSize, 10, 8},
    {"Form3", "Sales", HoverProperty::FontSize, 12, 10},
    {"Form3", "RefreshAdJInv", HoverProperty::FontSize, 12, 10},
    {"Form41", "cmdPrint", HoverProperty::FontBold, 1, 0},
    {"Form41", "cmdScreen", HoverProperty::FontBold, 1, 0},
    {"Form12", "cmdPrint", HoverProperty::FontBold, 1, 0},
    {"Form12", "cmdScreen", HoverProperty::FontBold, 1, 0},
    {"Form37", "ZeroTrans", HoverProperty::FontSize, 12, 10},
    {"Form63", "DailyProc", HoverProperty::FontSize, 12, 10},
    {"Form63", "WeeklyProc", HoverProperty::FontSize, 12, 10},
    {"Form63", "MonthlyProc", HoverProperty::FontSize, 12, 10},
    {"Form63", "YearlyProc", HoverProperty::FontSize, 12, 10},
    {"Form4", "DebugTool", HoverProperty::FontSize, 12, 10},
    {"Form60", "RefreshRibbon", HoverProperty::FontSize, 12, 10},
    {"Form60", "SortMasterList", HoverProperty::FontSize, 12, 10},
    {"Form60", "PrintAll", HoverProperty::FontBold, 1, 0},
    {"Form60", "PrintAllSorted", HoverProperty::FontBold, 1, 0},
    {"Form60", "PrintSelected", HoverProperty::FontBold, 1, 0},
}};

const HoverEffect* FindHoverEffect(std::string_view window, std::string_view control);

}  // namespace korvane
