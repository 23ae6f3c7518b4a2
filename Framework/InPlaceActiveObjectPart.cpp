// IOleInPlaceActiveObject of the control: accelerators and the container's activation notices.
#include "KeyState.h"
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE OleControl::InPlaceActiveObjectPart::GetWindow(HWND* window)
{
    return control.GetWindowOf(window);
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceActiveObjectPart::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OleControl::InPlaceActiveObjectPart::TranslateAccelerator(LPMSG message)
{
    if (control.OnSpecialKey(message))
        return S_OK;
    if (control.controlSite_ == nullptr)
        return S_FALSE;
    return control.controlSite_->TranslateAccelerator(message, GetShiftState());
}

// Either notice, activating or not, makes the control the UI-active one again.
HRESULT STDMETHODCALLTYPE OleControl::InPlaceActiveObjectPart::OnFrameWindowActivate(BOOL)
{
    return control.InPlaceActivate(OLEIVERB_UIACTIVATE);
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceActiveObjectPart::OnDocWindowActivate(BOOL)
{
    return control.InPlaceActivate(OLEIVERB_UIACTIVATE);
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceActiveObjectPart::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::InPlaceActiveObjectPart::EnableModeless(BOOL) { return S_OK; }
