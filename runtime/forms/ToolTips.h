// The tooltips of one form's controls: a text shown when the mouse rests on a control.
#pragma once

#include <windows.h>

#include <string>

namespace korvane::forms {

class ToolTips {
 public:
  ToolTips() = default;
  ~ToolTips();
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  // Shows `text` for the control window `control` of the form window `form`. False when the system's
  // tooltip window cannot be made.
  bool Add(HWND form, HWND control, const std::string& text);
  // The text shown for a control window; empty when it has none.
  std::string TextOf(HWND form, HWND control) const;
  void Destroy();

 private:
  HWND window_ = nullptr;
};

}  // namespace korvane::forms
