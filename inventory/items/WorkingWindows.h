// The working windows by name, for the tables that name them (the main menu's actions, the caller flags).
#pragma once

#include <string_view>

namespace korvane {

// OpenWorkingForm of the window of that name; nothing for a name that is no working window.
void OpenWorkingWindow(std::string_view window);

// The window of that name unloaded (when loaded) and shown afresh, so that its load runs again.
void ReopenWorkingWindow(std::string_view window);

}  // namespace korvane
