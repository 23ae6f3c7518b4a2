#include "ButtonInput.h"

namespace buttontests {

namespace {

void SendMouse(DWORD flags, LONG x = 0, LONG y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace

void Pump(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

void MovePointer(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
              MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1));
    Pump(30);
}

void PressLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(30);
}

void ReleaseLeftButton()
{
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(30);
}

void ClickAt(HWND window, int x, int y)
{
    MovePointer(window, x, y);
    PressLeftButton();
    ReleaseLeftButton();
}

void KeyDown(WORD virtualKey, int repeats)
{
    SendKey(virtualKey, false);
    Pump(20);
    for (int i = 0; i < repeats; ++i) {
        SendKey(virtualKey, false);
        Pump(20);
    }
}

void KeyUp(WORD virtualKey)
{
    SendKey(virtualKey, true);
    Pump(30);
}

} // namespace buttontests
