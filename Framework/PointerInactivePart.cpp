// IPointerInactive of the control: the descriptor's activation policy; inactive mouse input is ignored.
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE OleControl::PointerInactivePart::GetActivationPolicy(DWORD* policy)
{
    if (policy == nullptr)
        return E_POINTER;
    *policy = control.ControlRow().activationPolicy;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::PointerInactivePart::OnInactiveMouseMove(LPCRECT, LONG, LONG, DWORD)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::PointerInactivePart::OnInactiveSetCursor(LPCRECT, LONG, LONG, DWORD, BOOL)
{
    return S_OK;
}
