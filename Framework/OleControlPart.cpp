// IOleControl of the control: keyboard information, mnemonics and ambient changes.
#include "LibraryLocale.h"
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE OleControl::OleControlPart::GetControlInfo(CONTROLINFO* info)
{
    if (info == nullptr)
        return E_POINTER;
    info->cAccel = 0;
    info->hAccel = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::OleControlPart::OnMnemonic(MSG* message)
{
    const HRESULT hr = control.InPlaceActivate(OLEIVERB_UIACTIVATE);
    control.OnMnemonic(message);
    return hr;
}

void OleControl::OnMnemonic(MSG*) {}

HRESULT STDMETHODCALLTYPE OleControl::OleControlPart::OnAmbientPropertyChange(DISPID dispid)
{
    if (dispid == DISPID_AMBIENT_USERMODE || dispid == DISPID_UNKNOWN)
        control.ambientFlags_ &= ~AmbientUserModeRead;
    if (dispid == DISPID_AMBIENT_LOCALEID || dispid == DISPID_UNKNOWN)
        LibraryLocale::Forget();
    control.AmbientPropertyChanged(dispid);
    return S_OK;
}

// Events are never held back.
HRESULT STDMETHODCALLTYPE OleControl::OleControlPart::FreezeEvents(BOOL) { return S_OK; }
