// A command button with a caption or a picture (a bitmap of the program's resources). Event: Click.
#pragma once

#include "forms/Control.h"

namespace korvane::forms {

class CommandButton : public Control {
 public:
  CommandButton(Form& owner, const ElementDescription& element, POINT origin);

  std::string Caption() const;
  void SetCaption(std::string_view caption);

  void Create(HWND parent) override;
  void OnCommand(WORD notification) override;

 private:
  GdiBitmap picture_;
};

}  // namespace korvane::forms
