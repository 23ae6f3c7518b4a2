// The control window: its creation under the framework lock, the window procedure shared by every
// control window class, and the routines that place, show and focus it.
#include "ComReference.h"
#include "ReleaseInterface.h"
#include "FrameworkLock.h"
#include "Module.h"
#include "OleControl.h"
#include "ParkingWindow.h"
#include "ReflectorWindow.h"

namespace {
// Guarded by the framework lock: the window procedure takes it from here on the window's first message.
OleControl* g_objectBeingCreated = nullptr;

// User data of a control window whose object has gone.
const LONG_PTR WindowWithoutObject = -1;
} // namespace

OleControl* OleControl::ObjectBeingCreated()
{
    FrameworkLock::Scope lock;
    return g_objectBeingCreated;
}

HWND OleControl::CreateControlWindow(int x, int y, BOOL noRedraw)
{
    if (controlWindow_ != nullptr)
        return controlWindow_;
    ControlDescriptor& row = ControlRow();
    {
        FrameworkLock::Scope lock;
        if (row.windowClassRegistered == 0) {
            if (!RegisterClassData())
                return nullptr;
            row.windowClassRegistered = 1;
        }
    }

    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD extendedStyle = 0;
    char title[TitleBufferSize] = "";
    if (!BeforeCreateWindow(&style, &extendedStyle, title))
        return nullptr;

    if (parentWindow_ == nullptr)
        parentWindow_ = ParkingWindow::Get();
    const bool parentVisible = parentWindow_ != nullptr && IsWindowVisible(parentWindow_);

    if (row.wantsReflector != 0 && parentWindow_ != ParkingWindow::Existing()) {
        if (!(ambientFlags_ & AmbientMessageReflectRead)) {
            VARIANT_BOOL reflects = VARIANT_FALSE;
            if (!GetAmbientProperty(DISPID_AMBIENT_MESSAGEREFLECT, VT_BOOL, &reflects) || reflects == VARIANT_FALSE)
                ambientFlags_ &= ~AmbientContainerReflects;
            ambientFlags_ |= AmbientMessageReflectRead;
        }
        if (!(ambientFlags_ & AmbientContainerReflects)) {
            const SIZE size = {extent_.cx, extent_.cy};
            reflectorWindow_ = ReflectorWindow::Create(parentVisible, parentWindow_, x, y, size);
            if (reflectorWindow_ == nullptr)
                return nullptr;
            ReflectorWindow::SetControl(reflectorWindow_, this);
            style |= WS_VISIBLE;
        }
    }
    // Made visible at once under a hidden parent; under a visible one it is shown below, after the
    // class has seen it created.
    if (reflectorWindow_ == nullptr && !parentVisible)
        style |= WS_VISIBLE;

    HWND window = nullptr;
    {
        FrameworkLock::Scope lock;
        g_objectBeingCreated = this;
        stateFlags_ |= StateCreatingWindow;
        const bool inReflector = reflectorWindow_ != nullptr;
        window = CreateWindowExA(extendedStyle, row.windowClassName, title, style, inReflector ? 0 : x,
                                 inReflector ? 0 : y, extent_.cx, extent_.cy,
                                 inReflector ? reflectorWindow_ : parentWindow_, nullptr, Module::Instance(), nullptr);
        stateFlags_ &= ~StateCreatingWindow;
        g_objectBeingCreated = nullptr;
    }
    if (window == nullptr)
        return nullptr;
    // The window procedure took the window on its first message; a class that does not route its
    // messages to this object leaves it unknown here.
    controlWindow_ = window;

    if (!AfterCreateWindow()) {
        DestroyWindow(window);
        controlWindow_ = nullptr;
        return nullptr;
    }
    if (parentVisible) {
        UINT flags = SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE;
        if (noRedraw)
            flags |= SWP_NOREDRAW;
        SetWindowPos(window, nullptr, 0, 0, 0, 0, flags);
    }
    if (clientSite_ != nullptr)
        clientSite_->ShowObject();
    return controlWindow_;
}

void OleControl::AttachWindow(HWND window)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlWindow_ = window;
}

LRESULT CALLBACK OleControl::ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG_PTR userData = GetWindowLongPtrA(window, GWLP_USERDATA);
    if (userData == WindowWithoutObject)
        return DefWindowProcA(window, message, wParam, lParam);
    auto* control = reinterpret_cast<OleControl*>(userData);
    if (control == nullptr) {
        // The window's first messages arrive inside CreateWindowExA, before it has returned the handle.
        // Another window of a control class made meanwhile (by the control's own creation handlers,
        // or outside any control) belongs to no object.
        control = ObjectBeingCreated();
        if (control == nullptr || (control->controlWindow_ != nullptr && control->controlWindow_ != window))
            return DefWindowProcA(window, message, wParam, lParam);
        control->AttachWindow(window);
    }

    // The object must outlive whatever this message makes its container do.
    IUnknown* unknown = control->OuterUnknown();
    unknown->AddRef();

    LRESULT result = 0;
    DWORD filterCookie = 0;
    bool handled = false;
    const bool filtered =
        control->simpleFrameSite_ != nullptr && control->PreSimpleFrameMessage(window, message, wParam, lParam);
    if (filtered &&
        control->simpleFrameSite_->PreMessageFilter(window, message, wParam, lParam, &result, &filterCookie) == S_FALSE)
        handled = true;

    if (!handled) {
        switch (message) {
        case WM_DESTROY:
            control->BeforeDestroyWindow();
            break;
        case WM_PAINT:
            result = control->PaintWindow(window, reinterpret_cast<HDC>(wParam));
            break;
        default:
            result = control->WindowProc(message, wParam, lParam);
            break;
        }

        switch (message) {
        case WM_SIZE:
            if (!(control->stateFlags_ & StateCreatingWindow))
                control->ViewChanged();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if ((control->stateFlags_ & StateInPlaceActive) && control->controlSite_ != nullptr)
                control->controlSite_->OnFocus(message == WM_SETFOCUS);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, WindowWithoutObject);
            if (control->controlWindow_ == window)
                control->controlWindow_ = nullptr;
            break;
        default:
            break;
        }

        if (control->simpleFrameSite_ != nullptr && control->PostSimpleFrameMessage(window, message, wParam, lParam))
            control->simpleFrameSite_->PostMessageFilter(window, message, wParam, lParam, &result, filterCookie);
    }

    unknown->Release();
    return result;
}

LRESULT OleControl::PaintWindow(HWND window, HDC givenDC)
{
    if (!BeforePaint(givenDC)) {
        // A refused paint still validates the window, or WM_PAINT would come back for ever.
        if (givenDC == nullptr)
            ValidateRect(window, nullptr);
        return 0;
    }
    PAINTSTRUCT paint = {};
    HDC dc = givenDC;
    if (dc != nullptr) {
        GetClipBox(dc, &paintRect_);
    } else {
        dc = BeginPaint(window, &paint);
        paintRect_ = paint.rcPaint;
    }
    RECT client = {};
    GetClientRect(window, &client);
    if (dc != nullptr)
        OnDraw(DVASPECT_CONTENT, dc, &client, nullptr, nullptr, TRUE);
    if (givenDC == nullptr)
        EndPaint(window, &paint);
    return 0;
}

void OleControl::SetParentWindow(HWND window)
{
    if (window == parentWindow_)
        return;
    parentWindow_ = window;
    if (controlWindow_ != nullptr)
        SetParent(GetOuterWindow(), window);
}

void OleControl::ShowControlWindow(BOOL show)
{
    if (show)
        stateFlags_ |= StateShown;
    else
        stateFlags_ &= ~StateShown;
    const HWND outer = GetOuterWindow();
    if (outer == nullptr)
        return;
    const bool visible = (GetWindowLongA(outer, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible && !show)
        ShowWindow(outer, SW_HIDE);
    else if (!visible && show)
        ShowWindow(outer, SW_SHOWNA);
}

bool OleControl::SetFocus(BOOL take)
{
    if (windowlessSite_ != nullptr) {
        if (take && !(stateFlags_ & StateUIActive) && FAILED(InPlaceActivate(OLEIVERB_UIACTIVATE)))
            return false;
        return windowlessSite_->SetFocus(take) == S_OK;
    }
    if (!(stateFlags_ & StateInPlaceActive))
        return false;
    if (take && !(stateFlags_ & StateUIActive))
        return SUCCEEDED(InPlaceActivate(OLEIVERB_UIACTIVATE));
    ::SetFocus(take ? controlWindow_ : parentWindow_);
    return true;
}
