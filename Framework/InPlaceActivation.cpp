// In-place and UI activation of the control through its container's plain, extended or windowless
// in-place site.
#include "ComReference.h"
#include "ReleaseInterface.h"
#include "OleControl.h"

namespace {
// The extended site of a client site, or nothing when it has none.
IOleInPlaceSiteEx* QueryExtendedSite(IOleClientSite* site)
{
    IOleInPlaceSiteEx* extended = nullptr;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSiteEx, reinterpret_cast<void**>(&extended))))
        return nullptr;
    return extended;
}
} // namespace

void OleControl::ForgetInPlaceSites()
{
    if (stateFlags_ & StateInPlaceActive)
        return;
    ReleaseInterface(windowlessSite_);
    ReleaseInterface(inPlaceSite_);
}

HRESULT OleControl::InPlaceActivate(LONG verb)
{
    if (clientSite_ == nullptr)
        return S_OK;
    if (inPlaceSite_ == nullptr) {
        // A control that already has a window (made under the parking window before it was sited)
        // is activated with it: drawn windowless, it would never show.
        if (ControlRow().windowlessAllowed != 0 && controlWindow_ == nullptr &&
            FAILED(clientSite_->QueryInterface(IID_IOleInPlaceSiteWindowless,
                                               reinterpret_cast<void**>(&windowlessSite_))))
            windowlessSite_ = nullptr;
        if (windowlessSite_ != nullptr) {
            windowlessSite_->AddRef();
            inPlaceSite_ = windowlessSite_;
        } else {
            const HRESULT hr = clientSite_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_));
            if (FAILED(hr)) {
                inPlaceSite_ = nullptr;
                return hr;
            }
        }
    }

    ComReference<IOleInPlaceSiteEx> extendedSite;
    if (windowlessSite_ != nullptr) {
        windowlessSite_->AddRef();
        *extendedSite.Out() = windowlessSite_;
    } else {
        *extendedSite.Out() = QueryExtendedSite(clientSite_);
    }

    if (!(stateFlags_ & StateInPlaceActive)) {
        const HRESULT hr = EnterInPlaceActive(extendedSite);
        if (hr != S_OK)
            return hr;
    }
    extendedSite.Reset();
    if (!(stateFlags_ & StateShown))
        ShowControlWindow(TRUE);

    if (verb != OLEIVERB_PRIMARY && verb != OLEIVERB_UIACTIVATE)
        return S_OK;
    return UIActivate();
}

HRESULT OleControl::EnterInPlaceActive(ComReference<IOleInPlaceSiteEx>& extendedSite)
{
    HRESULT hr = S_OK;
    const bool askedWindowless = windowlessSite_ != nullptr;
    if (askedWindowless) {
        hr = windowlessSite_->CanWindowlessActivate();
        if (FAILED(hr))
            return hr;
        if (hr == S_FALSE) {
            // The container wants a window after all: activate through its plain site.
            ReleaseInterface(windowlessSite_);
            ReleaseInterface(inPlaceSite_);
            hr = clientSite_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_));
            if (FAILED(hr)) {
                inPlaceSite_ = nullptr;
                return hr;
            }
            *extendedSite.Out() = QueryExtendedSite(clientSite_);
        }
    } else {
        hr = inPlaceSite_->CanInPlaceActivate();
        if (hr == S_FALSE)
            return S_FALSE;
        if (FAILED(hr))
            return E_FAIL;
    }

    const bool windowless = windowlessSite_ != nullptr;
    BOOL noRedraw = FALSE;
    if (extendedSite)
        hr = extendedSite->OnInPlaceActivateEx(&noRedraw, windowless ? ACTIVATE_WINDOWLESS : 0);
    else
        hr = inPlaceSite_->OnInPlaceActivate();
    if (FAILED(hr))
        return hr;
    stateFlags_ |= StateInPlaceActive;

    hr = FinishInPlaceActivation(windowless, noRedraw);
    if (FAILED(hr)) {
        // Undo what was done since the site was told, in reverse order.
        inPlaceSite_->OnInPlaceDeactivate();
        ReleaseInterface(inPlaceUIWindow_);
        ReleaseInterface(inPlaceFrame_);
        stateFlags_ &= ~StateInPlaceActive;
        return hr;
    }
    return S_OK;
}

HRESULT OleControl::FinishInPlaceActivation(bool windowless, BOOL noRedraw)
{
    HWND containerWindow = nullptr;
    HRESULT hr = inPlaceSite_->GetWindow(&containerWindow);
    if (FAILED(hr))
        return hr;
    RECT position = {};
    RECT clip = {};
    OLEINPLACEFRAMEINFO frameInfo = {};
    frameInfo.cb = sizeof(frameInfo);
    ReleaseInterface(inPlaceFrame_);
    ReleaseInterface(inPlaceUIWindow_);
    hr = inPlaceSite_->GetWindowContext(&inPlaceFrame_, &inPlaceUIWindow_, &position, &clip, &frameInfo);
    if (FAILED(hr))
        return hr;

    SIZEL size = {position.right - position.left, position.bottom - position.top};
    if (OnSetExtent(&size))
        extent_ = size;
    hr = inPlaceObject_.SetObjectRects(&position, &clip);
    if (FAILED(hr))
        return hr;
    if (windowless) {
        parentWindow_ = containerWindow;
        return S_OK;
    }
    SetParentWindow(containerWindow);
    if (CreateControlWindow(position.left, position.top, noRedraw) == nullptr)
        return E_FAIL;
    return S_OK;
}

HRESULT OleControl::UIActivate()
{
    // Asked again while UI-active (the focus went elsewhere in the container meanwhile): the control
    // takes the focus back; the container and the frame know it already.
    if (stateFlags_ & StateUIActive) {
        SetFocus(TRUE);
        return S_OK;
    }
    stateFlags_ |= StateUIActive;
    if (inPlaceSite_ != nullptr)
        inPlaceSite_->OnUIActivate();
    SetFocus(TRUE);
    if (inPlaceFrame_ != nullptr)
        inPlaceFrame_->SetActiveObject(&inPlaceActiveObject_, nullptr);
    if (inPlaceUIWindow_ != nullptr)
        inPlaceUIWindow_->SetActiveObject(&inPlaceActiveObject_, nullptr);
    if (inPlaceFrame_ != nullptr)
        inPlaceFrame_->SetBorderSpace(nullptr);
    if (inPlaceUIWindow_ != nullptr)
        inPlaceUIWindow_->SetBorderSpace(nullptr);
    return S_OK;
}
