// A single-line text box. Event: KeyPress, with the character code, which the handler may change before
// the box receives it. Enter is 13; it reaches the handler and goes no further, like a code set to 0.
#pragma once

#include "forms/Control.h"

namespace korvane::forms {

class TextBox : public Control {
 public:
  TextBox(Form& owner, const ElementDescription& element, POINT origin);

  std::string Text() const;
  void SetText(std::string_view text);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);

  void Create(HWND parent) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool read_only_ = false;
};

}  // namespace korvane::forms
