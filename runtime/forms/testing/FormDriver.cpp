#include "forms/testing/FormDriver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "forms/WindowText.h"
#include "forms/testing/PngFile.h"
#include "printer/Printer.h"

namespace korvane::forms::testing {

namespace {

FormDriver* g_driver = nullptr;

// The message the system posts for a press of F1 (WM_KEYF1; the SDK headers do not name it).
constexpr UINT kHelpKeyMessage = 0x004D;

// "Label1(1)" is element 1 of the control array Label1.
std::pair<std::string, std::optional<int>> SplitPath(std::string_view path) {
  const auto open = path.find('(');
  if (open == std::string_view::npos || path.back() != ')') return {std::string(path), std::nullopt};
  return {std::string(path.substr(0, open)), std::stoi(std::string(path.substr(open + 1, path.size() - open - 2)))};
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

int FirstButtonOf(unsigned style) {
  switch (style & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    case MB_CANCELTRYCONTINUE: return IDCANCEL;
    default: return IDOK;
  }
}

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

POINT CentreOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return POINT{(client.right - client.left) / 2, (client.bottom - client.top) / 2};
}

struct MouseMessages {
  UINT down, up;
  WPARAM held;
};
MouseMessages MouseMessagesOf(int button) {
  if (button == kRightButton) return {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON};
  if (button == kMiddleButton) return {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON};
  return {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON};
}

}  // namespace

// --- DrivenForm ---

Form& DrivenForm::Get() const {
  Form* form = Forms::Find(name_);
  if (!form) throw std::logic_error("the form " + name_ + " is not loaded");
  return *form;
}

std::string DrivenForm::ToolTip(std::string_view control) const { return Get().ToolTipOf(ControlNamed(control)); }

Control& DrivenForm::ControlNamed(std::string_view control) const {
  auto [name, index] = SplitPath(control);
  Control* found = Get().Find(name, index);
  if (!found) throw std::logic_error("the form " + name_ + " has no control " + std::string(control));
  return *found;
}

HWND DrivenForm::Window(std::string_view control) const { return ControlNamed(control).Window(); }

DrivenForm& DrivenForm::Click(std::string_view control) {
  HWND window = Window(control);
  const POINT centre = CentreOf(window);
  return MouseDown(control, centre.x, centre.y, kLeftButton);
}

DrivenForm& DrivenForm::MouseDown(std::string_view control, int x, int y, int button) {
  HWND window = Window(control);
  if (!window) throw std::logic_error(std::string(control) + " of " + name_ + " has no window to press");
  // The mouse reaches only what the user can see and use.
  if (!IsWindowVisible(window) || !IsWindowEnabled(window))
    throw std::logic_error(std::string(control) + " of " + name_ + " is hidden or disabled and cannot be pressed");
  const MouseMessages messages = MouseMessagesOf(button);
  // The pointer is where the user presses: controls that ask the system where the pointer is (a button
  // deciding whether its release is still inside) find it there.
  POINT screen = {x, y};
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(window, WM_MOUSEMOVE, 0, Point(x, y));
  PostMessageA(window, messages.down, messages.held, Point(x, y));
  PostMessageA(window, messages.up, 0, Point(x, y));
  driver_->Pump();
  return *this;
}

DrivenForm& DrivenForm::MoveMouseOver(std::string_view control) {
  HWND window = Window(control);
  POINT screen = CentreOf(window);
  ClientToScreen(window, &screen);
  // A real move of the pointer, as the mouse makes it: the system tells the window under it.
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof(move));
  driver_->Pump();
  return *this;
}

DrivenForm& DrivenForm::ClickListLine(std::string_view list, int line) {
  return MouseDownOnListLine(list, line, kLeftButton);
}

DrivenForm& DrivenForm::MouseDownOnListLine(std::string_view list, int line, int button) {
  HWND window = Window(list);
  if (ClassOf(window) != "ListBox" && ClassOf(window) != "LISTBOX")
    throw std::logic_error(std::string(list) + " of " + name_ + " is not a list box");
  // The line is scrolled into view first, as a user would.
  RECT item{};
  if (SendMessageA(window, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
    throw std::logic_error(std::string(list) + " of " + name_ + " has no line " + std::to_string(line));
  RECT client{};
  GetClientRect(window, &client);
  if (item.top < 0 || item.bottom > client.bottom) {
    SendMessageA(window, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
    SendMessageA(window, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
  }
  return MouseDown(list, (item.left + std::min(item.right, client.right)) / 2, (item.top + item.bottom) / 2, button);
}

DrivenForm& DrivenForm::Focus(std::string_view control) {
  ControlNamed(control).SetFocus();
  driver_->Pump();
  return *this;
}

namespace {

// Handles one message that is waiting, or waits a short while for one; false when none came.
bool HandleOneMessage() {
  MSG message;
  if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) Forms::ProcessMessage(message);
    return true;
  }
  return MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT;
}

INPUT KeyEvent(int virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtual_key);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Watches this thread's queue for the release of one key while a press is on its way, wherever it is
// taken off the queue: by the driver's loop or by the loop of a message box the press opened.
class KeyReleaseWatch {
 public:
  explicit KeyReleaseWatch(int virtual_key)
      : hook_(SetWindowsHookExA(WH_GETMESSAGE, &KeyReleaseWatch::Seen, nullptr, GetCurrentThreadId())) {
    if (!hook_) throw std::logic_error("the key press cannot be watched");
    awaited_ = virtual_key;
    released_ = false;
  }
  ~KeyReleaseWatch() { UnhookWindowsHookEx(hook_); }
  KeyReleaseWatch(const KeyReleaseWatch&) = delete;
  KeyReleaseWatch& operator=(const KeyReleaseWatch&) = delete;
  bool Released() const { return released_; }

 private:
  static LRESULT CALLBACK Seen(int code, WPARAM removal, LPARAM message) {
    const MSG* taken = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && taken->message == WM_KEYUP &&
        taken->wParam == static_cast<WPARAM>(awaited_))
      released_ = true;
    return CallNextHookEx(nullptr, code, removal, message);
  }
  static thread_local int awaited_;
  static thread_local bool released_;
  HHOOK hook_;
};
thread_local int KeyReleaseWatch::awaited_ = 0;
thread_local bool KeyReleaseWatch::released_ = false;

// Presses one key as the user's keyboard does, through the system's input, with shift held when asked:
// the window that has the focus gets it in its window's turn, and the message loop translates it into
// its character. The program's Caps Lock stays as the program set it; a letter whose case the lock would
// turn is typed with shift the other way, as a user does, so that the character is the one asked for.
void PressOnFocus(FormDriver& driver, int virtual_key, bool shift) {
  HWND focus = GetFocus();
  if (!focus) throw std::logic_error("no window of the program has the keyboard focus");
  HWND top = GetAncestor(focus, GA_ROOT);
  if (GetForegroundWindow() != top) SetForegroundWindow(top);
  const bool letter = virtual_key >= 'A' && virtual_key <= 'Z';
  if (letter && (GetKeyState(VK_CAPITAL) & 1)) shift = !shift;
  const bool shift_held = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  std::vector<INPUT> presses;
  if (shift != shift_held) presses.push_back(KeyEvent(VK_SHIFT, shift_held));
  presses.push_back(KeyEvent(virtual_key, false));
  presses.push_back(KeyEvent(virtual_key, true));
  if (shift != shift_held) presses.push_back(KeyEvent(VK_SHIFT, !shift_held));
  const KeyReleaseWatch watch(virtual_key);
  if (SendInput(static_cast<UINT>(presses.size()), presses.data(), sizeof(INPUT)) != presses.size())
    throw std::logic_error("the system took no key press");
  // The press is the program's once its key-up has come off this thread's queue.
  const DWORD limit = GetTickCount() + 5000;
  while (!watch.Released() && static_cast<LONG>(limit - GetTickCount()) > 0) HandleOneMessage();
  if (!watch.Released()) ADD_FAILURE() << "the key press never reached the program";
  driver.Pump();
}

}  // namespace

DrivenForm& DrivenForm::Type(std::string_view control, std::string_view text) {
  Focus(control);
  for (char c : text) {
    const SHORT key = VkKeyScanA(c);
    if (key == -1) throw std::logic_error(std::string("the character '") + c + "' has no key");
    PressOnFocus(*driver_, LOBYTE(key), (HIBYTE(key) & 1) != 0);
  }
  return *this;
}

DrivenForm& DrivenForm::PressEnter(std::string_view control) { return PressKey(control, VK_RETURN); }

DrivenForm& DrivenForm::PressKey(std::string_view control, int virtual_key, bool shift) {
  Focus(control);
  PressOnFocus(*driver_, virtual_key, shift);
  return *this;
}

DrivenForm& DrivenForm::ChooseMenu(std::string_view menu) {
  auto [name, index] = SplitPath(menu);
  Menu* entry = Get().FindMenu(name, index);
  if (!entry) throw std::logic_error("the form " + name_ + " has no menu entry " + std::string(menu));
  if (entry->HasSubmenu()) throw std::logic_error(std::string(menu) + " opens a submenu; choose one of its entries");
  if (!entry->Enabled()) throw std::logic_error(std::string(menu) + " is disabled and cannot be chosen");
  PostMessageA(Get().Window(), WM_COMMAND, MAKEWPARAM(entry->Command(), 0), 0);
  driver_->Pump();
  return *this;
}

DrivenForm& DrivenForm::Close() {
  PostMessageA(Get().Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  driver_->Pump();
  return *this;
}

std::string DrivenForm::Text(std::string_view control) const {
  Control& found = ControlNamed(control);
  if (auto* list = dynamic_cast<ListBox*>(&found)) return list->Text();
  return WindowText(found.Window());
}

std::vector<std::string> DrivenForm::Lines(std::string_view list) const {
  auto* found = dynamic_cast<ListBox*>(&ControlNamed(list));
  if (!found) throw std::logic_error(std::string(list) + " of " + name_ + " is not a list box");
  return found->Lines();
}

int DrivenForm::ListIndex(std::string_view list) const {
  auto* found = dynamic_cast<ListBox*>(&ControlNamed(list));
  if (!found) throw std::logic_error(std::string(list) + " of " + name_ + " is not a list box");
  return found->ListIndex();
}

std::string DrivenForm::MenuCaption(std::string_view menu) const {
  auto [name, index] = SplitPath(menu);
  return Get().MenuNamed(name, index).Caption();
}

std::string DrivenForm::Caption() const { return Get().Caption(); }

bool DrivenForm::Visible() const { return Get().Visible(); }

bool DrivenForm::ControlVisible(std::string_view control) const {
  HWND window = Window(control);
  return window && IsWindowVisible(window);
}

// --- FormDriver ---

FormDriver::FormDriver() {
  if (g_driver) throw std::logic_error("only one FormDriver may run at a time");
  g_driver = this;
  Forms::UnloadAll();
  SetMessageBoxObserverForTesting(this);
  printer::Printer::RecordDocumentsForTesting(&printed_);
  hook_ = SetWindowsHookExA(WH_CBT, &FormDriver::WatchDialogs, nullptr, GetCurrentThreadId());
  if (!hook_) ADD_FAILURE() << "the driver cannot watch for message boxes (error " << GetLastError() << ")";
}

FormDriver::~FormDriver() {
  Forms::UnloadAll();
  Pump();
  if (hook_) UnhookWindowsHookEx(hook_);
  printer::Printer::RecordDocumentsForTesting(nullptr);
  SetMessageBoxObserverForTesting(nullptr);
  for (const PendingAnswer& unused : answers_)
    ADD_FAILURE() << "an answer (" << unused.button << ") was queued for a message box that never came";
  g_driver = nullptr;
}

void FormDriver::Pump() {
  // Handles what is waiting; a short wait catches what the display brings in reply (focus, painting).
  for (int round = 0; round < 100000; ++round) {
    if (!HandleOneMessage()) return;
  }
  ADD_FAILURE() << "the program never became idle";
}

bool FormDriver::IsLoaded(std::string_view form) const { return Forms::Find(form) != nullptr; }

bool FormDriver::IsVisible(std::string_view form) const {
  Form* found = Forms::Find(form);
  return found && found->Visible();
}

std::vector<std::string> FormDriver::LoadedForms() const {
  std::vector<std::string> names;
  for (Form* form : Forms::LoadedForms()) names.push_back(form->Name());
  return names;
}

std::vector<std::string> FormDriver::VisibleForms() const {
  std::vector<std::string> names;
  for (Form* form : Forms::LoadedForms())
    if (form->Visible()) names.push_back(form->Name());
  return names;
}

bool FormDriver::ProgramEnded() const { return Forms::Ended(); }

std::string FormDriver::Focused() const {
  HWND focus = GetFocus();
  Form* form = Forms::FormOfWindow(focus);
  if (!form) return {};
  Control* control = form->ControlOfWindow(focus);
  return control ? form->Name() + "." + control->Path() : form->Name();
}

void FormDriver::AnswerNextMessageBox(int button, int help_key_presses_first) {
  answers_.push_back(PendingAnswer{button, help_key_presses_first});
}

void FormDriver::Showing(const MessageBoxRequest& request) {
  ShownMessageBox box;
  box.text = request.text;
  box.title = request.title;
  box.style = request.style;
  box.help_file = request.help_file;
  box.help_context = request.help_context;
  boxes_.push_back(box);
  box_pending_ = true;
}

void FormDriver::HelpRequested(const MessageBoxRequest& request, bool help_shown) {
  if (boxes_.empty()) return;
  boxes_.back().help_requests += 1;
  boxes_.back().help_shown = boxes_.back().help_shown || help_shown;
}

LRESULT CALLBACK FormDriver::WatchDialogs(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && g_driver && g_driver->box_pending_) {
    HWND window = reinterpret_cast<HWND>(wparam);
    if (ClassOf(window) == "#32770") {
      g_driver->box_pending_ = false;
      g_driver->Answer(window);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void FormDriver::Answer(HWND box) {
  ShownMessageBox& shown = boxes_.back();
  // The message is the box's widest text; the icon and the buttons carry none.
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != "Static") continue;
    const std::string text = WindowText(child);
    if (text.size() > shown.shown_text.size()) shown.shown_text = text;
  }
  PendingAnswer answer{FirstButtonOf(shown.style), 0};
  if (answers_.empty()) {
    ADD_FAILURE() << "an unexpected message box: \"" << shown.text << "\" (title \"" << shown.title << "\")";
  } else {
    answer = answers_.front();
    answers_.pop_front();
    shown.expected = true;
  }
  HWND button = GetDlgItem(box, answer.button);
  if (!button) {
    ADD_FAILURE() << "the message box \"" << shown.text << "\" has no button " << answer.button;
    answer.button = FirstButtonOf(shown.style);
    button = GetDlgItem(box, answer.button);
  }
  shown.answer = answer.button;
  // The box's own loop takes these in order: the help key presses, then the button's click.
  // The system turns a press of F1 into its help-key message for the window with the focus (a button of
  // the box), which the default window procedure turns into WM_HELP for the box.
  for (int i = 0; i < answer.help_presses; ++i) PostMessageA(button ? button : box, kHelpKeyMessage, 0, 0);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void FormDriver::SavePng(std::string_view form_name, const std::string& path) {
  Form* form = Forms::Find(form_name);
  if (!form || !form->Visible()) {
    ADD_FAILURE() << "the form " << form_name << " is not shown, so it has no picture";
    return;
  }
  HWND window = form->Window();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC window_dc = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(window_dc);
  GdiBitmap picture(CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bool copied = false;
  if (memory && picture && bits) {
    SelectedObject selected(memory, picture.Get());
    copied = BitBlt(memory, 0, 0, width, height, window_dc, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
  }
  std::vector<std::uint8_t> rgb;
  if (copied) {
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    const auto* pixel = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i, pixel += 4) rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});
  }
  if (memory) DeleteDC(memory);
  ReleaseDC(window, window_dc);
  if (!copied) {
    ADD_FAILURE() << "the picture of " << form_name << " could not be taken (error " << GetLastError() << ")";
    return;
  }
  if (!WritePng(path, width, height, rgb)) ADD_FAILURE() << "the picture could not be written to " << path;
}

}  // namespace korvane::forms::testing
