#include "InPlaceFrame.h"

namespace korvane::activex {

STDMETHODIMP InPlaceFrame::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceUIWindow) ||
        IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *out = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) InPlaceFrame::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) InPlaceFrame::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP InPlaceFrame::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    // The frame is the form's top-level window, also for forms shown inside another window.
    *window = GetAncestor(form_, GA_ROOT);
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP InPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR)
{
    active_ = com::ComPtr<IOleInPlaceActiveObject>(active);
    return S_OK;
}

} // namespace korvane::activex
