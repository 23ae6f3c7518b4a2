// One entry of a form's menu: an entry of the menu bar, or an entry of the submenu under one. Event: Click
// (an entry that opens a submenu raises none). Captions keep their "&" mnemonics and leading blanks.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "forms/FormDescription.h"

namespace korvane::forms {

class Form;

class Menu {
 public:
  Menu(Form& owner, const ElementDescription& element, HMENU parent, UINT command, HMENU submenu);
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  const std::string& Name() const { return name_; }
  std::optional<int> Index() const { return index_; }
  std::string Path() const;

  std::string Caption() const;
  void SetCaption(std::string_view caption);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  UINT Command() const { return command_; }
  bool HasSubmenu() const { return submenu_ != nullptr; }

 private:
  Form& owner_;
  std::string name_;
  std::optional<int> index_;
  HMENU parent_;
  UINT command_;
  HMENU submenu_;
};

}  // namespace korvane::forms
