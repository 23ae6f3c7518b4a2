// Starting other programs and changing the current drive and folder.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korvane::shell {

// How the started program's window first shows (the values of the Windows ShowWindow styles it maps to
// are the runtime's own concern).
enum class WindowStyle {
  Hidden,
  NormalFocus,
  MinimizedFocus,
  MaximizedFocus,
  NormalNoFocus,
  MinimizedNoFocus,
};

struct StartResult {
  DWORD process_id = 0;  // 0 when the program could not be started
  DWORD error = 0;       // the Windows error then (ERROR_FILE_NOT_FOUND, ...)
  explicit operator bool() const { return process_id != 0; }
};

// Starts a command line ("hh index.htm", "BAKITEMD.BAT") and returns at once, without waiting for it. The
// program is looked for as Windows looks for it (the program's folder, the current folder, the path); a
// batch file is run by the command interpreter.
StartResult StartProgram(std::string_view command_line, WindowStyle style);

// Makes `drive` ('c' or 'C') the current drive, keeping that drive's current folder. False on failure.
bool ChangeDrive(char drive);
// Makes `folder` the current folder. False on failure (the current folder is then unchanged).
bool ChangeFolder(const std::string& folder);
std::string CurrentFolder();

}  // namespace korvane::shell
