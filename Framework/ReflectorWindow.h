// The window a control asks for when its container does not reflect notification messages back to
// it: it sits between the container and the control window and sends the notifications it receives
// on to the control window as reflected messages (the message number plus 0x2000).
#pragma once
#include <windows.h>

class OleControl;

class ReflectorWindow {
public:
    static constexpr const char* ClassName = "CtlFrameWork_ReflectWindow";
    static constexpr UINT ReflectedOffset = 0x2000;

    // A child window of `parent` at (x, y) with the given size, visible when visibleStyle is
    // non-zero; null when the class cannot be registered or the window not made.
    static HWND Create(BOOL visibleStyle, HWND parent, int x, int y, SIZE size);
    // The control whose window receives the reflected messages (stored in the window's user data);
    // null stops the reflection.
    static void SetControl(HWND reflector, OleControl* control);
    // Unregisters the class when it was registered (library detach).
    static void Unregister();

    // True for the notifications that are reflected.
    static bool IsReflected(UINT message);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
