// A list box of text lines, counted from 0. Events: Click (the selected line changed, by the mouse or the
// keyboard), MouseDown (raised after the list has moved its selection to the line under the mouse, so
// ListIndex() is that line, and before the Click of that press; LineAt() gives the line of any point).
// Long lines can be scrolled to sideways.
//
// Lines added or cleared inside a handler go in as one fill: the list is not redrawn and its scroll bars
// are not worked per line, the lines are measured with one device context, and the sideways extent is set
// once. The fill ends, with one repaint, when the handlers return or when a message loop runs inside one
// (a message box); a fill that lasts over a second shows the wait cursor and keeps the window painted.
// Outside handlers each call takes effect at once.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Control.h"

namespace korvane::forms {

class ListBox : public Control {
 public:
  ListBox(Form& owner, const ElementDescription& element, POINT origin);
  ~ListBox() override;

  void AddItem(std::string_view line);
  void Clear();
  int ListCount() const;
  std::string List(int line) const;  // empty for a line that does not exist
  std::vector<std::string> Lines() const;

  // The selected line, or -1 when none is selected. Setting it selects (or with -1 deselects) without
  // raising Click.
  int ListIndex() const;
  void SetListIndex(int line);
  // The selected line's text; empty when no line is selected.
  std::string Text() const;

  // The line under a point of the list's client area, or -1.
  int LineAt(int x, int y) const;

  void Create(HWND parent) override;
  void OnCommand(WORD notification) override;

  // Ends the fill of every list box (the runtime calls it when the handlers have returned).
  static void EndFills();

  // The clock, in milliseconds, by which a fill knows it has grown long: GetTickCount unless a test
  // gives another (null gives GetTickCount back).
  using FillClock = DWORD (*)();
  static void SetFillClock(FillClock clock);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  class Fill;

  // The fill under way, begun if none is (inside a handler only; null outside).
  Fill* CurrentFill();
  void EndFill();
  // Sets the sideways extent to the widest line, when it changed.
  void ApplyExtent();

  std::unique_ptr<Fill> fill_;
  WNDPROC list_procedure_ = nullptr;  // the window class's own procedure, under the subclasses
  bool in_mouse_down_ = false;
  bool click_waiting_ = false;
  int widest_line_ = 0;
  int applied_extent_ = 0;
};

}  // namespace korvane::forms
