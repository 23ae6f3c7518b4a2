#include "items/WindowNavigation.h"

#include <string>

#include "forms/MessageBox.h"
#include "items/DebugInventoryWindow.h"
#include "items/ItemFile.h"
#include "items/MainMenuWindow.h"
#include "items/MasterListLine.h"
#include "items/Navigation.h"
#include "items/WorkingWindows.h"
#include "shell/Shell.h"

namespace korvane {
namespace {

constexpr unsigned kCriticalOkOnly = 16;  // MB_ICONHAND | MB_OK
constexpr char kItemFileErrorHelpFile[] = "DEMO.HLP";
constexpr unsigned long kItemFileErrorHelpContext = 1000;

void ShowFreshMainMenu() {
  forms::Forms::Unload<Form1>();
  forms::Forms::Get<Form1>().Show();
}

void BlankCallerFlag(const forms::Form& window) {
  if (char* flag = CallerFlagOf(window.Name())) *flag = kCallerFlagBlank;
}

}  // namespace

void ReturnToMainMenu(forms::Form& window) {
  BlankCallerFlag(window);
  forms::Forms::Unload(window);
  ShowFreshMainMenu();
}

void OpenDebugInventory(forms::Form& window) {
  if (char* flag = CallerFlagOf(window.Name())) *flag = kCallerFlagSet;
  OpenWorkingForm<Form4>();
}

void ReturnToCaller() {
  for (const CallerFlagRow& row : kCallerFlagOrder) {
    char& flag = Callers.*(row.flag);
    if (flag != kCallerFlagSet) continue;
    forms::Forms::Unload<Form4>();
    ReopenWorkingWindow(row.window);
    flag = kCallerFlagBlank;
    return;
  }
  forms::Forms::Unload<Form4>();
  ShowFreshMainMenu();
}

void ReportNotStarted(std::string_view commandLine) {
  forms::MsgBox("Cannot start \"" + std::string(commandLine) + "\".", kCriticalOkOnly, kErrorConditionTitle);
}

void OpenHelpPageOf(const forms::Form& window, std::string_view menuEntry) {
  const HelpPage* page = FindHelpPage(window.Name(), menuEntry);
  if (!page) return;
  const auto style =
      page->show == HelpWindow::Maximized ? shell::WindowStyle::MaximizedFocus : shell::WindowStyle::NormalFocus;
  // The viewer looks for the page in the folder that is current when it starts.
  shell::ChangeFolder(kHelpFolder);
  const shell::StartResult started = shell::StartProgram(page->commandLine, style);
  shell::ChangeFolder(kDataFolder);
  if (!started) ReportNotStarted(page->commandLine);
}

void ApplyHover(forms::Form& window, std::string_view control, bool entering) {
  const HoverEffect* hover = FindHoverEffect(window.Name(), control);
  if (!hover) return;
  const float value = entering ? hover->onEnter : hover->onExit;
  const forms::PropertyValue property = hover->property == HoverProperty::FontBold
                                            ? forms::PropertyValue(value != 0)
                                            : forms::PropertyValue(value);
  // A control that refuses the size only keeps its look; the hover has no other effect.
  (void)window.Hosted(control).SetProperty(static_cast<long>(hover->property), property);
}

void ShowItemFileError() {
  forms::MsgBox(kItemFileErrorText, kCriticalOkOnly, kErrorConditionTitle, kItemFileErrorHelpFile,
                kItemFileErrorHelpContext);
}

void ShowErrorMessage(const char* text) {
  if (std::string_view(text) == kItemFileErrorText) {
    ShowItemFileError();
    return;
  }
  forms::MsgBox(text, kCriticalOkOnly, kErrorConditionTitle);
}

void ShowItemFileProblem(ItemFileStatus status) { ShowErrorMessage(ItemFileMessage(status)); }

bool CheckNoCommaQuote(forms::TextBox& box) {
  if (HasNoCommaQuote(box.Text())) return true;
  forms::MsgBox(kCommaQuoteErrorText, kCriticalOkOnly, kErrorConditionTitle, kItemFileErrorHelpFile,
                kItemFileErrorHelpContext);
  box.SetFocus();
  return false;
}

void ValidateItemFile(forms::Form& window) {
  ShowFreshMainMenu();
  window.Show();
  if (CheckItemFileReadable() != ItemFileStatus::Ok) ShowItemFileError();
}

}  // namespace korvane
