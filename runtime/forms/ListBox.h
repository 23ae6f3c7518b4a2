// A list box of text lines, counted from 0. Events: Click (the selected line changed, by the mouse or the
// keyboard), MouseDown (raised after the list has moved its selection to the line under the mouse, so
// ListIndex() is that line, and before the Click of that press; LineAt() gives the line of any point).
// Long lines can be scrolled to sideways.
#pragma once

#include <vector>

#include "forms/Control.h"

namespace korvane::forms {

class ListBox : public Control {
 public:
  ListBox(Form& owner, const ElementDescription& element, POINT origin);

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

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void WidenForLine(std::string_view line);

  bool in_mouse_down_ = false;
  bool click_waiting_ = false;
  int widest_line_ = 0;
};

}  // namespace korvane::forms
