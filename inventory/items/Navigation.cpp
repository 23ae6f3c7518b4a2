#include "items/Navigation.h"

namespace korvane {
namespace {

template <typename Rows, typename Matches>
auto FindRow(const Rows& rows, Matches matches) -> decltype(&rows[0]) {
  for (const auto& row : rows) {
    if (matches(row)) return &row;
  }
  return nullptr;
}

}  // namespace

CallerFlags Callers;

const char* TitleOf(std::string_view window) {
  const WindowTitle* row = FindRow(kWindowTitles, [&](const WindowTitle& r) { return window == r.window; });
  return row ? row->title : nullptr;
}

const MainMenuAction* FindMainMenuAction(std::string_view control) {
  return FindRow(kMainMenuActions, [&](const MainMenuAction& r) { return control == r.control; });
}

char* CallerFlagOf(std::string_view window, CallerFlags& flags) {
  const CallerFlagRow* row = FindRow(kCallerFlagOrder, [&](const CallerFlagRow& r) { return window == r.window; });
  return row ? &(flags.*(row->flag)) : nullptr;
}

const HelpPage* FindHelpPage(std::string_view window, std::string_view menuEntry) {
  return FindRow(kHelpPages, [&](const HelpPage& r) { return window == r.window && menuEntry == r.menuEntry; });
}

const HoverEffect* FindHoverEffect(std::string_view window, std::string_view control) {
  return FindRow(kHoverEffects, [&](const HoverEffect& r) { return window == r.window && control == r.control; });
}

}  // namespace korvane
