#include "items/SortWindow.h"

#include "forms/MessageBox.h"
#include "items/CategoryList.h"
#include "items/NumberText.h"
#include "items/WindowNavigation.h"

namespace korvane {
namespace {

constexpr unsigned kCriticalOkOnly = 16;  // MB_ICONHAND | MB_OK
constexpr char kSortDone[] = "DONE";

}  // namespace

Form2::Form2() : Form("Form2") {}

void Form2::Bind(forms::EventTable& on) {
  on("Form", "Load", &Form2::Form_Load);
  on("SortInventoryFile", "Click", &Form2::SortInventoryFile_Click);
  on("SortInventoryFile", "MouseEnter", &Form2::SortInventoryFile_MouseEnter);
  on("SortInventoryFile", "MouseExit", &Form2::SortInventoryFile_MouseExit);
  on("ExitButton", "Click", &Form2::ExitButton_Click);
  on("debuginv", "Click", &Form2::debuginv_Click);
  on("help", "Click", &Form2::help_Click);
}

void Form2::Form_Load() { ValidateItemFile(*this); }

void Form2::SortInventoryFile_Click() {
  switch (SortItemFile(*this, counters_)) {
    case SortStatus::Done: TextBoxNamed("Text4").SetText(kSortDone); break;
    case SortStatus::CategoryListUnreadable:
      forms::MsgBox(kCategoryListErrorText, kCriticalOkOnly, kErrorConditionTitle);
      break;
    // The item file is left as it was in each case.
    case SortStatus::ItemFileUnreadable: ShowItemFileError(); break;
    case SortStatus::TooManyItems: ShowErrorMessage(kItemFileTooLongText); break;
    case SortStatus::CannotWrite: ShowErrorMessage(kItemFileNotSavedText); break;
  }
}

void Form2::SortInventoryFile_MouseEnter() { ApplyHover(*this, "SortInventoryFile", true); }
void Form2::SortInventoryFile_MouseExit() { ApplyHover(*this, "SortInventoryFile", false); }
void Form2::ExitButton_Click() { ReturnToMainMenu(*this); }
void Form2::debuginv_Click() { OpenDebugInventory(*this); }
void Form2::help_Click() { OpenHelpPageOf(*this, "help"); }

void Form2::ItemPlaced(int placed) { TextBoxNamed("Text3").SetText(NumberText(placed)); }
void Form2::PassEnded(const std::string& code) { TextBoxNamed("Text5").SetText(code); }

}  // namespace korvane
