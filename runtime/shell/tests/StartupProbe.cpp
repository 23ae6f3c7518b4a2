// A program for the tests of starting programs: writes how it was asked to show its window (the show
// command of its start-up information) to the file named by its argument.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  FILE* out = std::fopen(argv[1], "w");
  if (!out) return 1;
  std::fprintf(out, "%d %d", (startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0, startup.wShowWindow);
  return std::fclose(out) == 0 ? 0 : 1;
}
