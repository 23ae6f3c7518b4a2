// QPRO32.DLL: CapsOn switches Caps Lock on, so that item codes and descriptions are typed in capitals.
#include <windows.h>

extern "C" __declspec(dllexport) LONG WINAPI CapsOn();

// Returns 1 when it pressed Caps Lock, 0 when Caps Lock was on already, -1 when the key press could not
// be sent (another desktop has the input, for one). The program does not look at the result.
extern "C" __declspec(dllexport) LONG WINAPI CapsOn()
{
    if (GetKeyState(VK_CAPITAL) & 1)
        return 0;
    INPUT press[2] = {};
    for (INPUT& input : press) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_CAPITAL;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_CAPITAL, MAPVK_VK_TO_VSC));
    }
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, press, sizeof(INPUT)) == 2 ? 1 : -1;
}
