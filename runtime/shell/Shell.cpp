#include "shell/Shell.h"

#include <cctype>
#include <vector>

namespace korvane::shell {

namespace {

// The window style as the started program's first ShowWindow sees it.
struct StyleRow {
  WindowStyle style;
  WORD show;
};
constexpr StyleRow kStyles[] = {
    {WindowStyle::Hidden, SW_HIDE},
    {WindowStyle::NormalFocus, SW_SHOWNORMAL},
    {WindowStyle::MinimizedFocus, SW_SHOWMINIMIZED},
    {WindowStyle::MaximizedFocus, SW_SHOWMAXIMIZED},
    {WindowStyle::NormalNoFocus, SW_SHOWNOACTIVATE},
    {WindowStyle::MinimizedNoFocus, SW_SHOWMINNOACTIVE},
};

WORD ShowCommandOf(WindowStyle style) {
  for (const auto& row : kStyles)
    if (row.style == style) return row.show;
  return SW_SHOWNORMAL;
}

}  // namespace

StartResult StartProgram(std::string_view command_line, WindowStyle style) {
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = ShowCommandOf(style);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return StartResult{0, GetLastError()};
  // Not waited for: the handles are not needed.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return StartResult{process.dwProcessId, 0};
}

bool ChangeDrive(char drive) {
  if (!((drive >= 'a' && drive <= 'z') || (drive >= 'A' && drive <= 'Z'))) return false;
  // "c:" names the current folder of drive c, so the drive changes and its folder stays.
  const char path[] = {drive, ':', '\0'};
  return SetCurrentDirectoryA(path) != FALSE;
}

bool ChangeFolder(const std::string& folder) {
  if (!SetCurrentDirectoryA(folder.c_str())) return false;
  // Each drive remembers its own current folder in the environment ("=C:"), as the command interpreter
  // and the C runtime keep it, so that a later change of drive returns to it.
  const std::string current = CurrentFolder();
  if (current.size() >= 2 && current[1] == ':') {
    const char name[] = {'=', static_cast<char>(std::toupper(static_cast<unsigned char>(current[0]))), ':', '\0'};
    SetEnvironmentVariableA(name, current.c_str());
  }
  return true;
}

std::string CurrentFolder() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return {};
  std::string folder(size, '\0');
  const DWORD length = GetCurrentDirectoryA(size, folder.data());
  folder.resize(length < size ? length : 0);
  return folder;
}

}  // namespace korvane::shell
