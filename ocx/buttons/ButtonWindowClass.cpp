#include "ButtonWindowClass.h"

#include "Module.h"
#include "OleControl.h"

namespace plyx {

BOOL RegisterButtonWindowClass(const char* className)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = OleControl::ControlWindowProc;
    windowClass.hInstance = Module::Instance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace plyx
