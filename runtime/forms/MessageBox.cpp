#include "forms/MessageBox.h"

#include <windows.h>

#include <vector>

#include "forms/Forms.h"

namespace korvane::forms {

namespace {

MessageBoxObserver* g_observer = nullptr;

// The boxes being shown, innermost last (a handler behind one box may show another); the help callback
// learns its box's help file from here.
std::vector<const MessageBoxRequest*>& OpenBoxes() {
  static std::vector<const MessageBoxRequest*> boxes;
  return boxes;
}

std::string ProgramName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  const auto slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

// Opens the help topic when the help file can be found and a help viewer takes it. Systems without the
// viewer answer failure from WinHelp; a missing file is not handed to it at all (the viewer would show
// an error window of its own).
bool ShowHelp(HWND owner, const MessageBoxRequest& request) {
  if (request.help_file.empty()) return false;
  char found[MAX_PATH] = {};
  if (!SearchPathA(nullptr, request.help_file.c_str(), nullptr, MAX_PATH, found, nullptr)) return false;
  return WinHelpA(owner, found, HELP_CONTEXT, request.help_context) != FALSE;
}

void CALLBACK HelpKeyPressed(LPHELPINFO info) {
  if (OpenBoxes().empty()) return;
  const MessageBoxRequest& request = *OpenBoxes().back();
  HWND box = info ? static_cast<HWND>(info->hItemHandle) : nullptr;
  const bool shown = ShowHelp(box ? GetAncestor(box, GA_ROOT) : nullptr, request);
  if (!shown) MessageBeep(MB_ICONEXCLAMATION);
  if (g_observer) g_observer->HelpRequested(request, shown);
}

}  // namespace

void SetMessageBoxObserverForTesting(MessageBoxObserver* observer) { g_observer = observer; }

int MsgBox(std::string_view text, unsigned style, std::string_view title, std::string_view help_file,
           unsigned long help_context) {
  MessageBoxRequest request{std::string(text), style, title.empty() ? ProgramName() : std::string(title),
                            std::string(help_file), help_context};
  if (g_observer) g_observer->Showing(request);

  MSGBOXPARAMSA params{};
  params.cbSize = sizeof params;
  params.hwndOwner = GetActiveWindow();
  params.hInstance = ProgramInstance();
  params.lpszText = request.text.c_str();
  params.lpszCaption = request.title.c_str();
  params.dwStyle = style;
  params.dwContextHelpId = help_context;
  params.lpfnMsgBoxCallback = &HelpKeyPressed;
  params.dwLanguageId = LANG_NEUTRAL;

  OpenBoxes().push_back(&request);
  // The box's own message loop runs handlers of other windows; they count as nested in this one.
  Forms::HandlerScope scope;
  const int answer = MessageBoxIndirectA(&params);
  OpenBoxes().pop_back();
  return answer;
}

}  // namespace korvane::forms
