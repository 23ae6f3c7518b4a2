// The part every control of a form shares: its name (and index in a control array), its window, its
// place, visibility, focus, tab order, font and colours. The kinds are in Label.h, TextBox.h, ListBox.h,
// CommandButton.h, PictureBox.h and HostedControl.h; menus (Menu.h) are not controls of this kind.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "forms/Events.h"
#include "forms/FormDescription.h"
#include "forms/GdiObjects.h"

namespace korvane::forms {

class Form;

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  std::optional<int> Index() const { return index_; }
  const std::string& Kind() const { return kind_; }
  // "Text38", or "Label1(1)" for element 1 of a control array.
  std::string Path() const;
  Form& Owner() const { return owner_; }

  // The control's window; a hosted control answers the window that holds its keyboard focus (may be null).
  virtual HWND Window() const { return window_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // Gives the control the keyboard focus (showing its form's window first if needed).
  virtual void SetFocus();
  bool HasFocus() const;

  // Place in the form's client area, in pixels.
  RECT Bounds() const { return bounds_; }
  void Move(int left, int top, int width, int height);

  // Tab order: controls with a tab stop take the focus in rising TabIndex order when Tab is pressed.
  int TabIndex() const { return tab_index_; }
  bool TabStop() const { return tab_stop_; }

  // Font and colours (COLORREF values, 0x00BBGGRR); a control without its own font uses the form's.
  void SetFont(const FontDescription& font);
  const FontDescription& Font() const { return font_; }
  void SetBackColor(COLORREF color);
  std::optional<COLORREF> BackColor() const { return back_color_; }
  void SetForeColor(COLORREF color);
  std::optional<COLORREF> ForeColor() const { return fore_color_; }

  // --- Used by the form and its window; not by the program's handlers. ---

  // Creates the control's window in the form's client window.
  virtual void Create(HWND parent) = 0;
  // A WM_COMMAND notification of the control's window reached the form.
  virtual void OnCommand(WORD notification) {}
  // WM_CTLCOLOR* for the control's window: the brush for its background, or null for the default.
  HBRUSH OnColor(HDC dc);
  // Whether a message of the message loop is the control's to handle (a hosted control's accelerators).
  virtual bool TranslateAccelerator(MSG& message) { return false; }
  // Whether `window` is the control's window or one of its children.
  bool Owns(HWND window) const;

 protected:
  // `origin` is the top left corner, in the form's client area, of what holds the control: the form itself
  // (0, 0), or a control whose element holds this one (a frame); the element's rect is relative to it.
  Control(Form& owner, const ElementDescription& element, POINT origin);

  // Creates the control's window from a window class, styles and text; applies font, colours, place.
  HWND CreateControlWindow(HWND parent, const char* window_class, DWORD style, DWORD ex_style, const std::string& text);
  // The window procedure of the control's window, seen before the window class's own (subclassing).
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Raises an event of this control to its form's handler; true when a handler ran.
  bool Raise(std::string_view event, EventArgs& args);
  // Raises MouseDown/MouseUp/MouseMove from a mouse message of the control's window.
  bool RaiseMouse(std::string_view event, UINT message, WPARAM wparam, LPARAM lparam);
  void ApplyFont();
  // For kinds that never take the keyboard focus: out of the tab order whatever the description says.
  void NeverTakesFocus() { tab_stop_ = false; }
  // Shows or hides, and places, the control's window (a hosted control places its own).
  virtual void ApplyVisible();
  virtual void ApplyBounds();

  const ElementDescription& element_;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  Form& owner_;
  std::string name_;
  std::optional<int> index_;
  std::string kind_;
  HWND window_ = nullptr;
  RECT bounds_{};
  bool visible_ = true;
  int tab_index_ = 0;
  bool tab_stop_ = true;
  FontDescription font_;
  GdiFont gdi_font_;
  std::optional<COLORREF> back_color_;
  std::optional<COLORREF> fore_color_;
  GdiBrush back_brush_;
};

}  // namespace korvane::forms
