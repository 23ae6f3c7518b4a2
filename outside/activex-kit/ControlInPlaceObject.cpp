// IOleInPlaceObject and the in-place activation it undoes: the control window lives from activation to
// deactivation, as a child of the window the site names.
#include "ControlObject.h"

#include "ControlWindow.h"

namespace korvane::kit {

HRESULT ControlObject::InPlaceActivate(LONG verb)
{
    if (!clientSite_)
        return E_UNEXPECTED;
    if (!inPlaceActive_) {
        HRESULT hr = clientSite_->QueryInterface(IID_IOleInPlaceSite, inPlaceSite_.PutVoid());
        if (FAILED(hr))
            return hr;
        hr = inPlaceSite_->CanInPlaceActivate();
        if (hr != S_OK)
            return hr == S_FALSE ? S_FALSE : E_FAIL;
        com::ComPtr<IOleInPlaceSiteEx> siteEx;
        BOOL noRedraw = FALSE;
        if (SUCCEEDED(inPlaceSite_->QueryInterface(IID_IOleInPlaceSiteEx, siteEx.PutVoid())))
            hr = siteEx->OnInPlaceActivateEx(&noRedraw, 0);
        else
            hr = inPlaceSite_->OnInPlaceActivate();
        if (FAILED(hr))
            return hr;
        inPlaceActive_ = true;

        HWND parent = nullptr;
        RECT position = {}, clip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof frameInfo;
        hr = inPlaceSite_->GetWindow(&parent);
        if (SUCCEEDED(hr))
            hr = inPlaceSite_->GetWindowContext(frame_.Put(), uiWindow_.Put(), &position, &clip, &frameInfo);
        if (SUCCEEDED(hr))
            hr = CreateControlWindow(parent, position);
        if (FAILED(hr)) {
            InPlaceDeactivate();
            return hr;
        }
        clientSite_->ShowObject();
    }
    if (window_)
        ShowWindow(window_, SW_SHOWNA);
    if ((verb == OLEIVERB_UIACTIVATE || verb == OLEIVERB_PRIMARY) && !uiActive_) {
        uiActive_ = true;
        inPlaceSite_->OnUIActivate();
        SetFocus(window_);
        if (frame_)
            frame_->SetActiveObject(this, nullptr);
        if (uiWindow_)
            uiWindow_->SetActiveObject(this, nullptr);
        if (frame_)
            frame_->SetBorderSpace(nullptr);
    }
    return S_OK;
}

HRESULT ControlObject::CreateControlWindow(HWND parent, const RECT& position)
{
    if (!RegisterControlWindowClass(class_))
        return HRESULT_FROM_WIN32(GetLastError());
    window_ = CreateWindowExA(0, class_.windowClassName, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              position.left, position.top, position.right - position.left,
                              position.bottom - position.top, parent, nullptr, Module::Instance(), this);
    return window_ ? S_OK : HRESULT_FROM_WIN32(GetLastError());
}

STDMETHODIMP ControlObject::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP ControlObject::InPlaceDeactivate()
{
    if (!inPlaceActive_)
        return S_OK;
    UIDeactivate();
    inPlaceActive_ = false;
    if (window_)
        DestroyWindow(window_);
    window_ = nullptr;
    if (inPlaceSite_)
        inPlaceSite_->OnInPlaceDeactivate();
    frame_ = nullptr;
    uiWindow_ = nullptr;
    inPlaceSite_ = nullptr;
    return S_OK;
}

STDMETHODIMP ControlObject::UIDeactivate()
{
    if (!uiActive_)
        return S_OK;
    uiActive_ = false;
    if (uiWindow_)
        uiWindow_->SetActiveObject(nullptr, nullptr);
    if (frame_)
        frame_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_)
        inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP ControlObject::SetObjectRects(LPCRECT position, LPCRECT)
{
    if (!position)
        return E_POINTER;
    if (window_)
        MoveWindow(window_, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    return S_OK;
}

} // namespace korvane::kit
