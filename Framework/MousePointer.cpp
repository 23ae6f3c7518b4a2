#include "MousePointer.h"

namespace {
const LPCSTR SystemCursors[] = {
    IDC_ARROW, IDC_CROSS, IDC_IBEAM, IDC_ICON, IDC_SIZE, IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE,
    IDC_SIZEWE, IDC_UPARROW, IDC_WAIT, IDC_NO, IDC_APPSTARTING, IDC_HELP, IDC_SIZEALL,
};
constexpr short SystemCursorCount = sizeof(SystemCursors) / sizeof(SystemCursors[0]);
} // namespace

LPCSTR SystemCursorOf(short mousePointer)
{
    if (mousePointer < 1 || mousePointer > SystemCursorCount)
        return nullptr;
    return SystemCursors[mousePointer - 1];
}

bool SetMousePointerCursor(short mousePointer, IPicture* mouseIcon, UINT hitTest)
{
    if (mousePointer == MousePointerDefault)
        return false;
    if (hitTest != HTCLIENT && hitTest != HTBORDER)
        return false;
    HCURSOR cursor = nullptr;
    if (mousePointer == MousePointerCustom) {
        SHORT type = PICTYPE_NONE;
        OLE_HANDLE handle = 0;
        if (mouseIcon != nullptr && SUCCEEDED(mouseIcon->get_Type(&type)) && type == PICTYPE_ICON &&
            SUCCEEDED(mouseIcon->get_Handle(&handle)))
            cursor = reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(handle));
    } else if (LPCSTR name = SystemCursorOf(mousePointer)) {
        cursor = LoadCursorA(nullptr, name);
    }
    if (cursor == nullptr)
        return false;
    SetCursor(cursor);
    return true;
}
