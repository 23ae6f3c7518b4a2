// The cursor of a control's MousePointer property: 0 leaves the container's or the class cursor,
// 1-15 are the system cursors, 99 the control's own icon (MouseIcon).
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

constexpr short MousePointerDefault = 0;
constexpr short MousePointerCustom = 99;

// The system cursor of a MousePointer value 1-15; null for any other value.
LPCSTR SystemCursorOf(short mousePointer);

// On WM_SETCURSOR at run time: sets the cursor MousePointer names for a hit in the client area or
// on the border; true when a cursor was set.
bool SetMousePointerCursor(short mousePointer, IPicture* mouseIcon, UINT hitTest);
