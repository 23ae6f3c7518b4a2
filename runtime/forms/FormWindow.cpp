#include "forms/FormWindow.h"

#include "forms/Form.h"
#include "forms/Forms.h"

namespace korvane::forms {

namespace {

constexpr const char* kFormWindowClass = "KorvaneForm";

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->AttachWindow(window);
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    form = nullptr;
  }
  return form ? form->OnMessage(message, wparam, lparam) : DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterFormWindowClass() {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &FormWindowProc;
  window_class.hInstance = ProgramInstance();
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  window_class.lpszClassName = kFormWindowClass;
  return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateFormWindow(Form& form, const std::string& caption) {
  static const bool registered = RegisterFormWindowClass();
  if (!registered) return nullptr;
  return CreateWindowExA(WS_EX_CONTROLPARENT, kFormWindowClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr, ProgramInstance(), &form);
}

void SetClientSize(HWND window, int width, int height) {
  // The menu bar may wrap to more than one line, which the frame computation cannot know: size once,
  // then make up the difference that the client area shows.
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), GetMenu(window) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  int outer_width = frame.right - frame.left, outer_height = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, 0, 0, outer_width, outer_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  if (GetClientRect(window, &client) && (client.right != width || client.bottom != height)) {
    outer_width += width - client.right;
    outer_height += height - client.bottom;
    SetWindowPos(window, nullptr, 0, 0, outer_width, outer_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace korvane::forms
