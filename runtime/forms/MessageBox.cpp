#include "forms/MessageBox.h"

#include <windows.h>

#include <vector>

#include "forms/Form.h"
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

// While a box is up no form of the program takes input, the active one (the box's owner, which the box
// disables itself) or any other, and with no active window none either; afterwards each is enabled
// again and the focus goes back where it was.
class FormsBlocked {
 public:
  explicit FormsBlocked(HWND owner) : focus_(GetFocus()) {
    for (Form* form : Forms::LoadedForms()) {
      HWND window = form->Window() ? GetAncestor(form->Window(), GA_ROOT) : nullptr;
      if (!window || window == owner || !IsWindowEnabled(window)) continue;
      EnableWindow(window, FALSE);
      disabled_.push_back(window);
    }
  }
  ~FormsBlocked() {
    for (auto window = disabled_.rbegin(); window != disabled_.rend(); ++window)
      if (IsWindow(*window)) EnableWindow(*window, TRUE);
    if (focus_ && IsWindow(focus_) && GetFocus() != focus_) SetFocus(focus_);
  }
  FormsBlocked(const FormsBlocked&) = delete;
  FormsBlocked& operator=(const FormsBlocked&) = delete;

 private:
  HWND focus_;
  std::vector<HWND> disabled_;
};

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
  int answer = 0;
  {
    FormsBlocked blocked(params.hwndOwner);
    answer = MessageBoxIndirectA(&params);
  }
  OpenBoxes().pop_back();
  return answer;
}

}  // namespace korvane::forms
