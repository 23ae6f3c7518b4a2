// How long Korvane takes from its start to its main menu painted with all its ribbons, beside a minimal
// window program of the same build from its start to its one window painted. Both are watched from
// outside, as a user would see them: each is started with CreateProcess from the folder of this program
// (where the build puts Korvane.exe, the control library and the outside components; the library must be
// registered in the running system), and the clock stops when
//   - the program's top-level window of the expected caption is visible,
//   - it has the expected number of ribbon windows of the control library among its descendants,
//   - no visible window of it has anything left to paint (an empty update region), and
//   - the program's thread has answered a message sent after that, so the last WM_PAINT has returned;
// the update regions are looked at again after the answer, as an invalidation may have come in between.
// The painted parts are then looked for on the screen (more than one colour in each), and the program is
// closed through its window. One warm-up run of each, then the runs counted, the two programs in turn;
// prints milliseconds and the ratio pair by pair. Not a test: nothing passes or fails on time. Answers 1
// when a program does not come up painted, cannot be closed, or ends with another code than 0.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultRuns = 9;
constexpr DWORD kStartLimitMs = 60000;
constexpr DWORD kCloseLimitMs = 30000;
constexpr DWORD kAnswerLimitMs = 10000;
constexpr int kScreenLookRounds = 100;  // of 20 ms: how long the painted pixels may take to reach the screen
constexpr char kRibbonWindowClass[] = "QvRibbonWndClass";

struct Program {
  const char* what;
  const char* file;
  const char* caption;
  std::size_t ribbons;  // ribbon windows the painted window has; none: its client area is the painted part
};

constexpr Program kKorvane = {"Korvane.exe, main menu", "Korvane.exe", "Main Menu- Korvane Duze Ver. 1.0", 8};
constexpr Program kMinimal = {"minimal window program", "minimal_window_program.exe", "Minimal window", 0};

std::string FolderOfThisProgram() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return {};
  std::string folder(path, length);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder;
}

// A started program's handles; a program still running when they go is ended, so that no run leaves one
// behind.
class StartedProgram {
 public:
  StartedProgram() = default;
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  ~StartedProgram() {
    if (info_.hProcess == nullptr) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, kCloseLimitMs);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }

  bool Start(const std::string& folder, const char* file) {
    std::string commandLine = "\"" + folder + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info_) != FALSE;
  }

  DWORD Id() const { return info_.dwProcessId; }
  bool Ended() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
  bool WaitForEnd(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
  std::optional<DWORD> ExitCode() const {
    DWORD code = 0;
    if (!GetExitCodeProcess(info_.hProcess, &code) || code == STILL_ACTIVE) return std::nullopt;
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
};

struct WindowSearch {
  DWORD processId;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  if (owner != search->processId || std::string(text) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND TopLevelWindowOf(DWORD processId, const char* caption) {
  WindowSearch search{processId, caption, nullptr};
  EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct Descendants {
  std::vector<HWND> visible;
  std::vector<HWND> ribbons;
};

BOOL CALLBACK CollectDescendant(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Descendants*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  found->visible.push_back(window);
  char name[64] = {};
  if (GetClassNameA(window, name, sizeof name) > 0 && std::string(name) == kRibbonWindowClass) {
    found->ribbons.push_back(window);
  }
  return TRUE;
}

bool NothingLeftToPaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) == FALSE; }

// The window as the benchmark waits for it: visible, all its ribbons there, every visible part painted.
// Answers the painted parts to be looked for on the screen, or nothing while it is not so.
std::optional<std::vector<HWND>> PaintedParts(HWND top, const Program& program) {
  if (!IsWindowVisible(top) || !NothingLeftToPaint(top)) return std::nullopt;
  Descendants found;
  EnumChildWindows(top, &CollectDescendant, reinterpret_cast<LPARAM>(&found));
  if (found.ribbons.size() != program.ribbons) return std::nullopt;
  if (!std::all_of(found.visible.begin(), found.visible.end(), &NothingLeftToPaint)) return std::nullopt;
  if (program.ribbons == 0) return std::vector<HWND>{top};
  return found.ribbons;
}

// The screen rectangle of a painted part: a ribbon's whole window, or the top-level window's client area.
RECT ScreenRectOf(HWND part, HWND top) {
  RECT rect{};
  if (part != top) {
    GetWindowRect(part, &rect);
    return rect;
  }
  GetClientRect(top, &rect);
  POINT corner = {0, 0};
  ClientToScreen(top, &corner);
  OffsetRect(&rect, corner.x, corner.y);
  return rect;
}

struct DcReleaser {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};

// True when the screen shows more than one colour in the rectangle: a painted face with its caption or
// text, not a blank.
bool ScreenShowsPainting(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  std::unique_ptr<HDC__, DcReleaser> screen(GetDC(nullptr));
  if (!screen) return false;
  std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(screen.get()));
  if (!memory) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  std::unique_ptr<HBITMAP__, ObjectDeleter> bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return false;
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY) != FALSE;
  SelectObject(memory.get(), previous);
  if (!copied) return false;
  const auto* pixels = static_cast<const DWORD*>(bits);
  const DWORD first = pixels[0] & 0xFFFFFF;
  return std::any_of(pixels, pixels + static_cast<std::size_t>(width) * height,
                     [first](DWORD pixel) { return (pixel & 0xFFFFFF) != first; });
}

bool PartsShownOnScreen(const std::vector<HWND>& parts, HWND top) {
  for (int round = 0; round < kScreenLookRounds; ++round) {
    if (std::all_of(parts.begin(), parts.end(),
                    [top](HWND part) { return ScreenShowsPainting(ScreenRectOf(part, top)); })) {
      return true;
    }
    Sleep(20);
  }
  return false;
}

// One start of a program to its window painted, in milliseconds, and its close; nothing when it failed.
std::optional<double> TimeOneStart(const std::string& folder, const Program& program) {
  StartedProgram started;
  const auto start = Clock::now();
  if (!started.Start(folder, program.file)) {
    std::fprintf(stderr, "start_benchmark: %s cannot be started (error %lu)\n", program.file, GetLastError());
    return std::nullopt;
  }
  const auto limit = start + std::chrono::milliseconds(kStartLimitMs);
  HWND top = nullptr;
  std::vector<HWND> parts;
  std::optional<double> ms;
  for (;;) {
    if (started.Ended()) {
      std::fprintf(stderr, "start_benchmark: %s ended before its window was painted (code %lu)\n", program.file, started.ExitCode().value_or(0));
      return std::nullopt;
    }
    if (Clock::now() > limit) {
      std::fprintf(stderr, "start_benchmark: %s showed no painted \"%s\" within %lu s\n", program.file,
                   program.caption, kStartLimitMs / 1000);
      return std::nullopt;
    }
    top = TopLevelWindowOf(started.Id(), program.caption);
    if (top != nullptr) {
      if (auto seen = PaintedParts(top, program)) {
        const auto seenAt = Clock::now();
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &answer) != 0 &&
            PaintedParts(top, program)) {
          ms = std::chrono::duration<double, std::milli>(seenAt - start).count();
          parts = *seen;
          break;
        }
      }
    }
    Sleep(1);
  }

  bool ok = true;
  if (!PartsShownOnScreen(parts, top)) {
    std::fprintf(stderr, "start_benchmark: %s reported its window painted, but the screen shows a blank\n",
                 program.file);
    ok = false;
  }
  if (!PostMessageA(top, WM_CLOSE, 0, 0) || !started.WaitForEnd(kCloseLimitMs)) {
    std::fprintf(stderr, "start_benchmark: %s did not end when its window was closed\n", program.file);
    return std::nullopt;
  }
  const std::optional<DWORD> code = started.ExitCode();
  if (!code || *code != 0) {
    std::fprintf(stderr, "start_benchmark: %s ended with code %lu\n", program.file, code ? *code : 0ul);
    ok = false;
  }
  return ok ? ms : std::nullopt;
}

// The main menu can be shown only where the control library makes its ribbons.
bool RibbonsCanBeMade() {
  const CLSID ribbon = {0xB28088C2, 0xF453, 0x11CF, {0x9C, 0x7D, 0x00, 0x00, 0xC0, 0x93, 0x00, 0xC4}};
  if (FAILED(CoInitialize(nullptr))) return false;
  IUnknown* control = nullptr;
  const HRESULT made =
      CoCreateInstance(ribbon, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&control));
  if (control != nullptr) control->Release();
  CoUninitialize();
  return SUCCEEDED(made);
}

// Korvane's main menu switches Caps Lock on; the display is left as it was found.
void SwitchCapsLockOff() {
  if (!(GetKeyState(VK_CAPITAL) & 1)) return;
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_KEYBOARD;
  press[0].ki.wVk = press[1].ki.wVk = VK_CAPITAL;
  press[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, press, sizeof(INPUT));
}

struct Figures {
  double median;
  double min;
  double max;
};

Figures FiguresOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}

void PrintRow(const char* what, const Figures& figures, int decimals, const char* unit) {
  std::printf("  %-44s %9.*f %9.*f %9.*f%s\n", what, decimals, figures.median, decimals, figures.min, decimals,
              figures.max, unit);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
  if (runs < 1) {
    std::fprintf(stderr, "start_benchmark: the number of runs must be at least 1\n");
    return 1;
  }
  const std::string folder = FolderOfThisProgram();
  if (folder.empty()) return 1;
  if (!RibbonsCanBeMade()) {
    std::fprintf(stderr, "start_benchmark: the control library does not make its ribbons here; register "
                         "Plyx20.ocx first (regsvr32)\n");
    return 1;
  }

  std::vector<double> korvane, minimal, ratio;
  bool ok = true;
  for (int run = 0; run <= runs && ok; ++run) {
    const std::optional<double> k = TimeOneStart(folder, kKorvane);
    const std::optional<double> m = k ? TimeOneStart(folder, kMinimal) : std::nullopt;
    ok = k && m;
    if (!ok || run == 0) continue;  // the warm-up: the files' first reads, the prefix's first use
    korvane.push_back(*k);
    minimal.push_back(*m);
    ratio.push_back(*k / *m);
  }
  SwitchCapsLockOff();
  if (!ok) return 1;

  std::printf("start_benchmark: %d runs of each after one warm-up, in turn; from CreateProcess to the window "
              "painted\n",
              runs);
  std::printf("  %-44s %9s %9s %9s\n", "", "median", "min", "max");
  PrintRow(kKorvane.what, FiguresOf(korvane), 1, " ms");
  PrintRow(kMinimal.what, FiguresOf(minimal), 1, " ms");
  PrintRow("Korvane / minimal, run by run", FiguresOf(ratio), 2, "");
  return 0;
}
