#include "ParkingWindow.h"

#include "FrameworkLock.h"
#include "Module.h"

namespace {
HWND g_parkingWindow = nullptr;
bool g_classRegistered = false;
} // namespace

HWND ParkingWindow::Get()
{
    FrameworkLock::Scope lock;
    if (g_parkingWindow != nullptr)
        return g_parkingWindow;
    if (!g_classRegistered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = Module::Instance();
        windowClass.lpszClassName = ClassName;
        if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return nullptr;
        g_classRegistered = true;
    }
    g_parkingWindow = CreateWindowExA(0, ClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      Module::Instance(), nullptr);
    return g_parkingWindow;
}

HWND ParkingWindow::Existing()
{
    FrameworkLock::Scope lock;
    return g_parkingWindow;
}

void ParkingWindow::Destroy()
{
    FrameworkLock::Scope lock;
    if (g_parkingWindow != nullptr) {
        DestroyWindow(g_parkingWindow);
        g_parkingWindow = nullptr;
    }
    if (g_classRegistered) {
        UnregisterClassA(ClassName, Module::Instance());
        g_classRegistered = false;
    }
}
