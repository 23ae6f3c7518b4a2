#include "forms/Menu.h"

#include <vector>

#include "forms/Form.h"

namespace korvane::forms {

Menu::Menu(Form& owner, const ElementDescription& element, HMENU parent, UINT command, HMENU submenu)
    : owner_(owner), name_(element.name), index_(element.index), parent_(parent), command_(command), submenu_(submenu) {
  const std::string caption = element.Text("caption");
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | (submenu ? MIIM_SUBMENU : 0u);
  item.fType = MFT_STRING;
  item.wID = command;
  item.hSubMenu = submenu;
  item.dwTypeData = const_cast<char*>(caption.c_str());
  if (!InsertMenuItemA(parent, static_cast<UINT>(GetMenuItemCount(parent)), TRUE, &item))
    throw FormLoadError(owner.Name() + ": the menu entry " + Path() + " could not be made");
  if (element.Has("disabled")) SetEnabled(false);
}

std::string Menu::Path() const { return index_ ? name_ + "(" + std::to_string(*index_) + ")" : name_; }

std::string Menu::Caption() const {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  if (!GetMenuItemInfoA(parent_, command_, FALSE, &item)) return {};
  std::vector<char> text(item.cch + 1, '\0');
  item.dwTypeData = text.data();
  item.cch += 1;
  if (!GetMenuItemInfoA(parent_, command_, FALSE, &item)) return {};
  return std::string(text.data());
}

void Menu::SetCaption(std::string_view caption) {
  std::string text(caption);
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = text.data();
  SetMenuItemInfoA(parent_, command_, FALSE, &item);
  if (owner_.Window()) DrawMenuBar(owner_.Window());
}

bool Menu::Enabled() const {
  const UINT state = GetMenuState(parent_, command_, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_DISABLED | MF_GRAYED));
}

void Menu::SetEnabled(bool enabled) {
  EnableMenuItem(parent_, command_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  if (owner_.Window()) DrawMenuBar(owner_.Window());
}

}  // namespace korvane::forms
