#include "KeyState.h"

namespace {
bool IsDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}
} // namespace

short GetShiftState()
{
    return static_cast<short>((IsDown(VK_SHIFT) ? 1 : 0) | (IsDown(VK_CONTROL) ? 2 : 0) | (IsDown(VK_MENU) ? 4 : 0));
}

short GetMouseButtons()
{
    return static_cast<short>((IsDown(VK_LBUTTON) ? 1 : 0) | (IsDown(VK_RBUTTON) ? 2 : 0) |
                              (IsDown(VK_MBUTTON) ? 4 : 0));
}
