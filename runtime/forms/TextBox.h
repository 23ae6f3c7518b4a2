// A single-line text box. Events: KeyPress (the character code, which the handler may change before the
// box sees it: Enter is 13, and a code set to 0 never reaches the box), Change, GotFocus, LostFocus.
#pragma once

#include "forms/Control.h"

namespace korvane::forms {

class TextBox : public Control {
 public:
  TextBox(Form& owner, const ElementDescription& element);

  std::string Text() const;
  void SetText(std::string_view text);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);

  void Create(HWND parent) override;
  void OnCommand(WORD notification) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool read_only_ = false;
};

}  // namespace korvane::forms
