// IOleControl: mnemonics (none), ambient changes (repaint with the new ambients) and event freezing.
#include "ControlObject.h"

namespace korvane::kit {

STDMETHODIMP ControlObject::GetControlInfo(CONTROLINFO* info)
{
    if (!info)
        return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP ControlObject::OnAmbientPropertyChange(DISPID)
{
    if (window_)
        InvalidateRect(window_, nullptr, TRUE);
    return S_OK;
}

} // namespace korvane::kit
