// A label: a caption on the form ("&" marks a mnemonic, leading blanks are kept).
#pragma once

#include "forms/Control.h"

namespace korvane::forms {

class Label : public Control {
 public:
  Label(Form& owner, const ElementDescription& element, POINT origin);

  std::string Caption() const;
  void SetCaption(std::string_view caption);

  void Create(HWND parent) override;
};

}  // namespace korvane::forms
