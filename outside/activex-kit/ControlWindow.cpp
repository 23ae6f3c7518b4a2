#include "ControlWindow.h"

#include "ControlObject.h"
#include "Module.h"

namespace korvane::kit {

bool RegisterControlWindowClass(const ControlClass& controlClass)
{
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(Module::Instance(), controlClass.windowClassName, &existing))
        return true;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = ControlObject::WindowProcedure;
    windowClass.hInstance = Module::Instance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = controlClass.windowClassName;
    return RegisterClassExA(&windowClass) != 0;
}

void UnregisterControlWindowClasses()
{
    for (size_t i = 0; i < kControlClassCount; ++i)
        UnregisterClassA(kControlClasses[i]->windowClassName, Module::Instance());
}

LRESULT CALLBACK ControlObject::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* control = reinterpret_cast<ControlObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (control->window_ == window)
            control->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (!control->window_)
        control->window_ = window;
    // A handler may release the control (an event handler that unloads its form); it stays alive here.
    com::ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(control));
    return control->HandleMessage(message, wParam, lParam);
}

LRESULT ControlObject::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        RECT client;
        GetClientRect(window_, &client);
        Paint(dc, client);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // painting covers the whole client area
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (controlSite_)
            controlSite_->OnFocus(message == WM_SETFOCUS);
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result))
        return result;
    return DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace korvane::kit
