// The floor of the start-up benchmark: a program of the same build as Korvane that does no more than a
// window program must to be seen, one top-level window of the main menu's size, shown and painted with a
// line of text, running until it is closed.
#include <windows.h>

namespace {

constexpr char kClassName[] = "KorvaneMinimalWindow";
constexpr char kCaption[] = "Minimal window";
constexpr char kText[] = "Minimal window";

LRESULT CALLBACK MinimalWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(window, &paint)) {
        TextOutA(dc, 20, 20, kText, static_cast<int>(sizeof kText - 1));
        EndPaint(window, &paint);
      }
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &MinimalWindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassA(&windowClass) == 0) return 1;

  // The main menu's client size, so that both programs paint as much of the screen.
  RECT frame = {0, 0, 700, 304};
  if (!AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE)) return 1;
  HWND window = CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
