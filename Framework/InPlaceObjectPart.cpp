// IOleInPlaceObjectWindowless of the control: deactivation, placement and the messages a windowless
// container passes on.
#include "ComReference.h"
#include "ReleaseInterface.h"
#include "OleControl.h"
#include "ReflectorWindow.h"

HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::GetWindow(HWND* window)
{
    return control.GetWindowOf(window);
}

HRESULT OleControl::GetWindowOf(HWND* window)
{
    if (window == nullptr)
        return E_POINTER;
    *window = nullptr;
    if (windowlessSite_ != nullptr)
        return E_FAIL;
    *window = GetOuterWindow();
    return *window != nullptr ? S_OK : E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::ReactivateAndUndo() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::GetDropTarget(IDropTarget** target)
{
    if (target != nullptr)
        *target = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::InPlaceDeactivate()
{
    if (!(control.stateFlags_ & StateInPlaceActive))
        return S_OK;
    if (control.stateFlags_ & StateUIActive)
        UIDeactivate();
    if (control.inPlaceSite_ != nullptr)
        control.inPlaceSite_->OnInPlaceDeactivate();
    control.stateFlags_ &= ~(StateInPlaceActive | StateShown);
    if (control.controlWindow_ != nullptr) {
        const HWND window = control.controlWindow_;
        control.controlWindow_ = nullptr;
        DestroyWindow(window);
        control.ambientFlags_ &= ~AmbientClipRegionSet;
    }
    if (control.reflectorWindow_ != nullptr) {
        ReflectorWindow::SetControl(control.reflectorWindow_, nullptr);
        DestroyWindow(control.reflectorWindow_);
        control.reflectorWindow_ = nullptr;
    }
    ReleaseInterface(control.inPlaceFrame_);
    ReleaseInterface(control.inPlaceUIWindow_);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::UIDeactivate()
{
    if (!(control.stateFlags_ & StateUIActive))
        return S_OK;
    control.stateFlags_ &= ~StateUIActive;
    if (control.inPlaceUIWindow_ != nullptr)
        control.inPlaceUIWindow_->SetActiveObject(nullptr, nullptr);
    if (control.inPlaceFrame_ != nullptr)
        control.inPlaceFrame_->SetActiveObject(nullptr, nullptr);
    if (control.inPlaceSite_ != nullptr)
        control.inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    if (position == nullptr)
        return E_POINTER;
    const HWND outer = control.GetOuterWindow();
    if (outer != nullptr) {
        RECT visible = {};
        if (clip != nullptr && IntersectRect(&visible, position, clip) && !EqualRect(&visible, position)) {
            // Only the part inside the clip rectangle may show: the window region, in the window's
            // own coordinates.
            OffsetRect(&visible, -position->left, -position->top);
            HRGN region = CreateRectRgnIndirect(&visible);
            if (region != nullptr) {
                if (SetWindowRgn(outer, region, TRUE))
                    control.ambientFlags_ |= AmbientClipRegionSet;
                else
                    DeleteObject(region);
            }
        } else if (control.ambientFlags_ & AmbientClipRegionSet) {
            SetWindowRgn(outer, nullptr, TRUE);
            control.ambientFlags_ &= ~AmbientClipRegionSet;
        }
        // Only moved: the size is the extent's, which SetExtent changes, so that the window, the
        // extent a container reads back and the saved state stay one size.
        SetWindowPos(outer, nullptr, position->left, position->top, 0, 0,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
    }
    control.positionRect_ = *position;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceObjectPart::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                                                         LRESULT* result)
{
    if (control.controlWindow_ != nullptr)
        return S_OK;
    if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && (control.stateFlags_ & StateInPlaceActive) &&
        control.controlSite_ != nullptr)
        control.controlSite_->OnFocus(message == WM_SETFOCUS);
    const LRESULT answer = control.WindowProc(message, wParam, lParam);
    if (result != nullptr)
        *result = answer;
    return S_OK;
}
