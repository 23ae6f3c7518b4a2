// The state of the modifier keys and mouse buttons as the stock events and accelerators report it.
#pragma once
#include <windows.h>

// 1 Shift, 2 Ctrl, 4 Alt.
short GetShiftState();
// 1 left, 2 right, 4 middle.
short GetMouseButtons();
