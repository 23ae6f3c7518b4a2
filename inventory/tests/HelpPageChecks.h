// Help pages in the window tests: the program's pages put where it looks for them, the viewer's window
// found by the page's title, and folders compared as Windows compares them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "KorvaneWindowsFixture.h"

namespace korvane::testing {

inline bool SameFolder(std::string a, std::string b) {
  const auto lower = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
  };
  return lower(std::move(a)) == lower(std::move(b));
}

// The help viewer's window showing a page, waited for a while: it runs as a program of its own. The
// window exists under its title before the viewer shows it in the state it was started with, so it
// counts only once it is visible.
inline HWND WaitForHelpViewer(const char* title) {
  for (int round = 0; round < 200; ++round) {
    HWND viewer = FindWindowA("KorvaneHelpViewer", title);
    if (viewer && IsWindowVisible(viewer)) return viewer;
    Sleep(50);
  }
  return nullptr;
}

// A help page of the program's build, put where the program looks for it.
inline void InstallHelpPage(const std::string& page) {
  ASSERT_TRUE(CopyFileA((TestProgramFolder() + "Help\\" + page).c_str(), ("c:\\Korvane\\Help\\" + page).c_str(), FALSE));
}

// Chooses a working window's help menu entry with some other folder current: the viewer shows the page
// (found in the help folder, which was current when it started) under its title, and the data folder is
// current afterwards. The viewer is closed again.
inline void ExpectHelpPageShown(forms::testing::DrivenForm window, const char* menuEntry, const char* title) {
  SCOPED_TRACE(menuEntry);
  ASSERT_TRUE(shell::ChangeFolder("c:\\"));
  window.ChooseMenu(menuEntry);
  EXPECT_TRUE(SameFolder(shell::CurrentFolder(), "c:\\Korvane")) << shell::CurrentFolder();
  HWND viewer = WaitForHelpViewer(title);
  EXPECT_NE(viewer, nullptr);
  if (viewer) PostMessageA(viewer, WM_CLOSE, 0, 0);
}

}  // namespace korvane::testing
