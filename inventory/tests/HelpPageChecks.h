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

// The help viewer's window showing a page, waited for a while: it runs as a program of its own.
inline HWND WaitForHelpViewer(const char* title) {
  for (int round = 0; round < 200; ++round) {
    if (HWND viewer = FindWindowA("KorvaneHelpViewer", title)) return viewer;
    Sleep(50);
  }
  return nullptr;
}

// A help page of the program's build, put where the program looks for it.
inline void InstallHelpPage(const std::string& page) {
  ASSERT_TRUE(CopyFileA((TestProgramFolder() + "Help\\" + page).c_str(), ("c:\\Korvane\\Help\\" + page).c_str(), FALSE));
}

}  // namespace korvane::testing
