#include "ReflectorWindow.h"

#include "FrameworkLock.h"
#include "Module.h"
#include "OleControl.h"

namespace {
bool g_classRegistered = false;
} // namespace

HWND ReflectorWindow::Create(BOOL visibleStyle, HWND parent, int x, int y, SIZE size)
{
    {
        FrameworkLock::Scope lock;
        if (!g_classRegistered) {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = Module::Instance();
            windowClass.lpszClassName = ClassName;
            if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                return nullptr;
            g_classRegistered = true;
        }
    }
    const DWORD style = visibleStyle ? (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS) : (WS_CHILD | WS_CLIPSIBLINGS);
    return CreateWindowExA(0, ClassName, "", style, x, y, size.cx, size.cy, parent, nullptr,
                           Module::Instance(), nullptr);
}

void ReflectorWindow::SetControl(HWND reflector, OleControl* control)
{
    if (reflector != nullptr)
        SetWindowLongPtrA(reflector, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
}

void ReflectorWindow::Unregister()
{
    FrameworkLock::Scope lock;
    if (g_classRegistered) {
        UnregisterClassA(ClassName, Module::Instance());
        g_classRegistered = false;
    }
}

bool ReflectorWindow::IsReflected(UINT message)
{
    switch (message) {
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
        return true;
    default:
        // WM_DRAWITEM .. WM_CHARTOITEM and the WM_CTLCOLOR messages.
        return (message >= WM_DRAWITEM && message <= WM_CHARTOITEM) ||
               (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
    }
}

LRESULT CALLBACK ReflectorWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsReflected(message)) {
        auto* control = reinterpret_cast<OleControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (control != nullptr && control->ControlWindow() != nullptr)
            return SendMessageA(control->ControlWindow(), message + ReflectedOffset, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
