// A picture box: a bitmap of the program's resources, drawn at the control's top left corner on its
// background colour.
#pragma once

#include "forms/Control.h"

namespace korvane::forms {

class PictureBox : public Control {
 public:
  PictureBox(Form& owner, const ElementDescription& element, POINT origin);

  // Shows the bitmap resource of that name (an empty name shows none); false when there is no such bitmap.
  bool SetPicture(const std::string& resource_name);

  void Create(HWND parent) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  GdiBitmap picture_;
};

}  // namespace korvane::forms
