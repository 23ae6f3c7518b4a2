#include "forms/Control.h"

#include <commctrl.h>

#include "forms/Form.h"
#include "forms/Forms.h"

namespace korvane::forms {

namespace {

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

Control::Control(Form& owner, const ElementDescription& element, POINT origin)
    : element_(element), owner_(owner), name_(element.name), index_(element.index), kind_(element.kind) {
  if (auto rect = element.Rect())
    bounds_ = RECT{origin.x + rect->left, origin.y + rect->top, origin.x + rect->left + rect->width,
                   origin.y + rect->top + rect->height};
  visible_ = !element.Has("hidden");
  tab_index_ = static_cast<int>(element.Integer("tab", 0));
  tab_stop_ = !element.Has("notabstop");
  font_ = element.Font().value_or(owner.Font());
  if (element.Has("backcolor")) back_color_ = static_cast<COLORREF>(element.Integer("backcolor", 0));
  if (element.Has("forecolor")) fore_color_ = static_cast<COLORREF>(element.Integer("forecolor", 0));
  if (back_color_) back_brush_.Reset(CreateSolidBrush(*back_color_));
}

Control::~Control() {
  // The object goes first: the window's last messages must not reach it.
  if (window_ && IsWindow(window_)) {
    RemoveWindowSubclass(window_, &Control::SubclassProc, 0);
    DestroyWindow(window_);
  }
}

std::string Control::Path() const {
  return index_ ? name_ + "(" + std::to_string(*index_) + ")" : name_;
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  ApplyVisible();
}

void Control::ApplyVisible() {
  if (window_) ShowWindow(window_, visible_ ? SW_SHOWNA : SW_HIDE);
}

bool Control::Enabled() const {
  HWND window = Window();
  return window && IsWindowEnabled(window);
}

void Control::SetEnabled(bool enabled) {
  if (HWND window = Window()) EnableWindow(window, enabled ? TRUE : FALSE);
}

void Control::SetFocus() {
  HWND window = Window();
  if (!window) return;
  if (!IsWindowVisible(owner_.Window())) owner_.Show();
  ::SetFocus(window);
}

bool Control::HasFocus() const {
  HWND focus = GetFocus();
  return focus && Owns(focus);
}

void Control::Move(int left, int top, int width, int height) {
  bounds_ = RECT{left, top, left + width, top + height};
  ApplyBounds();
}

void Control::ApplyBounds() {
  if (window_)
    MoveWindow(window_, bounds_.left, bounds_.top, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top, TRUE);
}

void Control::SetFont(const FontDescription& font) {
  font_ = font;
  ApplyFont();
}

void Control::ApplyFont() {
  if (!window_) return;
  gdi_font_ = MakeFont(font_, ScreenPixelsPerInch());
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(gdi_font_.Get()), TRUE);
}

void Control::SetBackColor(COLORREF color) {
  back_color_ = color;
  back_brush_.Reset(CreateSolidBrush(color));
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Control::SetForeColor(COLORREF color) {
  fore_color_ = color;
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

HBRUSH Control::OnColor(HDC dc) {
  if (fore_color_) SetTextColor(dc, *fore_color_);
  if (!back_color_) return nullptr;
  SetBkColor(dc, *back_color_);
  return back_brush_.Get();
}

bool Control::Owns(HWND window) const {
  HWND own = Window();
  return own && (window == own || IsChild(own, window));
}

HWND Control::CreateControlWindow(HWND parent, const char* window_class, DWORD style, DWORD ex_style,
                                  const std::string& text) {
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (visible_) style |= WS_VISIBLE;
  if (tab_stop_) style |= WS_TABSTOP;
  window_ = CreateWindowExA(ex_style, window_class, text.c_str(), style, bounds_.left, bounds_.top,
                            bounds_.right - bounds_.left, bounds_.bottom - bounds_.top, parent, nullptr,
                            ProgramInstance(), nullptr);
  if (!window_)
    throw FormLoadError(owner_.Name() + ": the window of " + Path() + " could not be made (error " +
                        std::to_string(GetLastError()) + ")");
  if (!SetWindowSubclass(window_, &Control::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)))
    throw FormLoadError(owner_.Name() + ": " + Path() + " cannot receive its events");
  ApplyFont();
  return window_;
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR data) {
  auto* control = reinterpret_cast<Control*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &Control::SubclassProc, 0);
    control->window_ = nullptr;
    return DefSubclassProc(window, message, wparam, lparam);
  }
  if (message == WM_SETFOCUS) control->owner_.NoteFocus(control);
  return control->OnMessage(message, wparam, lparam);
}

LRESULT Control::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefaultMessage(message, wparam, lparam);
}

LRESULT Control::DefaultMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefSubclassProc(window_, message, wparam, lparam);
}

bool Control::Raise(std::string_view event, EventArgs& args) {
  args.index = index_;
  return owner_.Raise(name_, index_, event, args);
}

bool Control::RaiseMouse(std::string_view event, UINT message, WPARAM wparam, LPARAM lparam) {
  EventArgs args;
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: args.mouse.button = kLeftButton; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: args.mouse.button = kRightButton; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: args.mouse.button = kMiddleButton; break;
    default: break;
  }
  if (wparam & MK_SHIFT) args.mouse.shift |= kShiftKey;
  if (wparam & MK_CONTROL) args.mouse.shift |= kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) args.mouse.shift |= kAltKey;
  args.mouse.x = static_cast<float>(static_cast<short>(LOWORD(lparam)));
  args.mouse.y = static_cast<float>(static_cast<short>(HIWORD(lparam)));
  return Raise(event, args);
}

}  // namespace korvane::forms
