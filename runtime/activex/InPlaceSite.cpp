// IOleInPlaceSite and IOleInPlaceSiteEx: where the control's window goes and how it is placed.
#include "ControlContainer.h"
#include "ControlSite.h"
#include "InPlaceFrame.h"

namespace korvane::activex {

STDMETHODIMP ControlSite::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = ParentWindow();
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP ControlSite::OnInPlaceActivate()
{
    inPlaceActive_ = true;
    return S_OK;
}

STDMETHODIMP ControlSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags)
{
    // Windowless activation is refused (see the header); a control that tries it anyway fails here.
    if (flags & ACTIVATE_WINDOWLESS)
        return E_FAIL;
    if (noRedraw)
        *noRedraw = FALSE;
    return OnInPlaceActivate();
}

STDMETHODIMP ControlSite::OnInPlaceDeactivate()
{
    inPlaceActive_ = false;
    return S_OK;
}

STDMETHODIMP ControlSite::OnUIActivate()
{
    if (container_)
        container_->NoteUIActivated(*this);
    return S_OK;
}

STDMETHODIMP ControlSite::OnUIDeactivate(BOOL)
{
    if (container_)
        container_->NoteUIDeactivated(*this);
    return S_OK;
}

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                           LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo)
{
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = nullptr;
    *document = nullptr;  // the form is its own frame: no document window in between
    if (!container_)
        return E_UNEXPECTED;
    *frame = &container_->Frame();
    (*frame)->AddRef();
    *position = bounds_;
    GetClientRect(ParentWindow(), clip);
    frameInfo->fMDIApp = FALSE;
    (*frame)->GetWindow(&frameInfo->hwndFrame);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT position)
{
    if (!position)
        return E_POINTER;
    // A control that sizes itself is given the place it asks for; it knows its new extent already.
    bounds_ = *position;
    return PlaceWindow();
}

} // namespace korvane::activex
