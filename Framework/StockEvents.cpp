// Window messages into stock events: mouse buttons, moves, clicks and double clicks, keys and
// characters (with the pairing of double-byte characters).
#include "BrowsableControl.h"
#include "KeyState.h"

#include <windowsx.h>

namespace {

// Set when the left button is double-clicked, cleared by its next press or release: the release that
// ends a double click fires no Click. Shared by every control of the process; only one thread's
// controls receive mouse input at a time, but the bit is changed atomically all the same.
volatile LONG g_doubleClickSeen = 0;
constexpr LONG LeftDoubleClick = 0x01;

// A private message that marks where the messages put back into the queue end.
constexpr UINT QueueMarkerMessage = 0x379;

short ButtonsOf(WPARAM keys)
{
    return static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

bool IsLeadByte(UINT ch)
{
    return ch <= 0xFF && IsDBCSLeadByte(static_cast<BYTE>(ch));
}

// Edit, list and combo boxes take the trail byte of a double-byte character themselves.
bool TakesTrailByteItself(HWND window)
{
    char name[10] = "";
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpiA(name, "Edit") == 0 || lstrcmpiA(name, "ListBox") == 0 || lstrcmpiA(name, "ComboBox") == 0;
}

void RemoveQueuedChar(HWND window)
{
    MSG removed;
    PeekMessageA(&removed, window, WM_CHAR, WM_CHAR, PM_REMOVE);
}

// Puts WM_CHAR(trail) in front of the window's queued messages.
void PutCharFirst(HWND window, UINT trail, LPARAM lParam)
{
    PostMessageA(window, QueueMarkerMessage, 0, 0);
    PostMessageA(window, WM_CHAR, trail, lParam);
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        if (message.message == QueueMarkerMessage)
            break;
        PostMessageA(window, message.message, message.wParam, message.lParam);
    }
}

} // namespace

void BrowsableControl::FireStockMouseEvents(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Signed: with the capture held, a point left of or above the control is negative.
    const LONG x = GET_X_LPARAM(lParam);
    const LONG y = GET_Y_LPARAM(lParam);
    short button = 0;
    switch (message) {
    case WM_MOUSEMOVE:
        if (stockEventMask_ & StockMouseMove)
            FireMouseMove(ButtonsOf(wParam), GetShiftState(), x, y);
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
        if (button == 1) {
            SetCapture(TRUE);
            InterlockedAnd(&g_doubleClickSeen, ~LeftDoubleClick);
        }
        if (stockEventMask_ & StockMouseDown)
            FireMouseDown(button, GetShiftState(), x, y);
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
        if (button == 1)
            SetCapture(FALSE);
        if (stockEventMask_ & StockMouseUp)
            FireMouseUp(button, GetShiftState(), x, y);
        if (button != 1)
            return;
        if ((stockEventMask_ & StockClick) && !(g_doubleClickSeen & LeftDoubleClick)) {
            RECT rect = {};
            GetControlRect(&rect);
            HWND window = nullptr;
            if (InPlaceObjectInterface()->GetWindow(&window) == S_OK && window != nullptr)
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
            const POINT point = {x, y};
            if (PtInRect(&rect, point))
                FireClick();
        }
        InterlockedAnd(&g_doubleClickSeen, ~LeftDoubleClick);
        return;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (message == WM_LBUTTONDBLCLK)
            InterlockedOr(&g_doubleClickSeen, LeftDoubleClick);
        if (stockEventMask_ & StockDblClick)
            FireDblClick();
        return;
    default:
        return;
    }
}

bool BrowsableControl::FireStockKeyEvents(UINT message, WPARAM& wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        short keyCode = static_cast<short>(wParam);
        const short shift = GetShiftState();
        if (stockEventMask_ & (down ? StockKeyDown : StockKeyUp)) {
            if (down)
                FireKeyDown(&keyCode, shift);
            else
                FireKeyUp(&keyCode, shift);
        }
        if (keyCode != 0) {
            if (down)
                OnKeyDown(keyCode, shift);
            else
                OnKeyUp(keyCode, shift);
        }
        wParam = static_cast<WPARAM>(static_cast<unsigned short>(keyCode));
        return false;
    }
    case WM_CHAR:
        if (!(stockEventMask_ & StockKeyPress))
            return false;
        return FireKeyPressFromChar(wParam, lParam);
    default:
        return false;
    }
}

bool BrowsableControl::FireKeyPressFromChar(WPARAM& wParam, LPARAM lParam)
{
    const bool windowless = WindowlessSite() != nullptr;
    const HWND window = ControlWindow();
    UINT ch = static_cast<UINT>(wParam & 0xFFFF);
    const bool incomingLead = IsLeadByte(ch);
    bool trailQueued = false;
    if (incomingLead) {
        if (windowless) {
            // The trail byte comes with the next message.
            pendingLeadByte_ = static_cast<WORD>(ch);
            return true;
        }
        MSG next;
        if (window != nullptr && PeekMessageA(&next, window, WM_CHAR, WM_CHAR, PM_NOREMOVE)) {
            ch = ch * 256 + (next.wParam & 0xFF);
            trailQueued = true;
        }
    } else if (windowless && pendingLeadByte_ != 0) {
        ch = pendingLeadByte_ * 256u + (ch & 0xFF);
        pendingLeadByte_ = 0;
    }

    const UINT incoming = ch;
    short keyAscii = static_cast<short>(ch);
    FireKeyPress(&keyAscii);
    if (keyAscii != 0)
        OnKeyPress(keyAscii);
    // A handler that destroyed or re-created the window has taken the message with it.
    if (ControlWindow() != window)
        return true;
    ch = static_cast<unsigned short>(keyAscii);

    if (windowless) {
        if (ch == 0)
            return true;
        const UINT lead = ch >> 8;
        if (lead != 0 && IsLeadByte(lead)) {
            OnCharMessage(WM_CHAR, lead, lParam);
            OnCharMessage(WM_CHAR, ch & 0xFF, lParam);
        } else {
            OnCharMessage(WM_CHAR, ch, lParam);
        }
        return true;
    }

    wParam = ch;
    bool trailRemoved = false;
    if (trailQueued && ch != incoming) {
        RemoveQueuedChar(window);
        trailRemoved = true;
    }
    if (ch != 0) {
        const UINT lead = ch >> 8;
        if (ch != incoming && lead != 0 && IsLeadByte(lead)) {
            PutCharFirst(window, ch & 0xFF, lParam);
            wParam = lead;
        }
        OnCharMessage(WM_CHAR, wParam, lParam);
    }
    if (trailQueued && !trailRemoved && !TakesTrailByteItself(window))
        RemoveQueuedChar(window);
    return true;
}
