// A window of another process for the hover tests: shown at the given place until it is closed or
// the given seconds have passed. Arguments: left top width height seconds.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 6)
        return 2;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "QvHoverProbeWindow";
    if (RegisterClassA(&windowClass) == 0)
        return 3;
    HWND window = CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOPMOST, "QvHoverProbeWindow", "QvHoverProbe",
                                  WS_POPUP | WS_VISIBLE, std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]),
                                  std::atoi(argv[4]), nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr)
        return 4;
    const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(argv[5])) * 1000;
    while (IsWindow(window) && GetTickCount() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_CLOSE && message.hwnd == window)
                DestroyWindow(window);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return 0;
}
