// The steps that every window of the program shares: opening a working window from the main menu, the
// way back to a fresh main menu, handing over to the Debug Inventory tool and back, the help pages, the
// hover effect on buttons, and the reading check with its message.
#pragma once

#include <string_view>

#include "forms/Forms.h"
#include "items/ItemFile.h"

namespace korvane {

// Creates the window when it does not exist yet and shows it; the main menu stays loaded behind it.
template <class F>
void OpenWorkingForm() {
  forms::Forms::Get<F>().Show();
}

// The exit of every working window but the Debug Inventory tool: its caller flag blank, the window and
// the main menu unloaded, and a fresh main menu shown (its load runs again).
void ReturnToMainMenu(forms::Form& window);

// The "&Debug Inventory" menu entry of a working window: its caller flag set, the tool shown; the window
// stays loaded and the tool's exit returns to it.
void OpenDebugInventory(forms::Form& window);

// The Debug Inventory tool's exit: back to the first window whose caller flag is set, in the order of the
// flags, loaded afresh, and that flag cleared; or, when none is set, back to a fresh main menu.
void ReturnToCaller();

// The help page of a window's menu entry, as the help table gives it: the help folder made current, the
// viewer started with the page in the window style of the table, and the data folder made current again.
void OpenHelpPageOf(const forms::Form& window, std::string_view menuEntry);

// Sets the hover property of a button of the window as the hover table gives it, for the mouse entering
// or leaving it.
void ApplyHover(forms::Form& window, std::string_view control, bool entering);

// The message for an item file that cannot be read: critical, OK only, with its help file and context.
void ShowItemFileError();

// A message of the program, critical and OK only, under its common title; the item-file message with its
// help file and context.
void ShowErrorMessage(const char* text);

// The message for a failed item file status (ItemFileMessage).
void ShowItemFileProblem(ItemFileStatus status);

// The check of a box of the master list or the Debug Inventory tool before a save: true when its text
// holds neither a comma nor a double quote. Otherwise the user is told (critical, OK only, with the
// same help as the item-file message), the box gets the focus, and the answer is false: the caller then
// abandons its save.
bool CheckNoCommaQuote(forms::TextBox& box);

// The load step of the sort, report and zeroing windows: a fresh main menu behind the window, the window
// shown, and the item file read once through to prove it readable; a file that cannot be read gets the
// message, and the window stays open.
void ValidateItemFile(forms::Form& window);

// Reports an outside program that could not be started; the windows stay usable.
void ReportNotStarted(std::string_view commandLine);

}  // namespace korvane
