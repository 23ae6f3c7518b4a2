// The hidden window that parents control windows created before their container has given them a
// window of its own. One per process, made on first use and destroyed when the library detaches.
#pragma once
#include <windows.h>

class ParkingWindow {
public:
    static constexpr const char* ClassName = "CtlFrameWork_Parking";

    // The parking window, made (with its class) the first time; null when it cannot be made.
    static HWND Get();
    // Destroys the window and unregisters its class (library detach).
    static void Destroy();
    // The window when it exists, without making it.
    static HWND Existing();
};
