// A user's mouse and keys for the push-button tests: real input through SendInput, then the messages
// it brings handled.
#pragma once
#include <windows.h>

namespace buttontests {

// The pointer moves to the point of the window's client area.
void MovePointer(HWND window, int x, int y);
void PressLeftButton();
void ReleaseLeftButton();
// A press and release at the point of the window's client area.
void ClickAt(HWND window, int x, int y);
// A key goes down (`repeats` more key-down reports follow while it is held, as a keyboard sends them)
// or comes up.
void KeyDown(WORD virtualKey, int repeats = 0);
void KeyUp(WORD virtualKey);
// Handles the waiting messages for the time.
void Pump(DWORD milliseconds);

} // namespace buttontests
