// IOleControlSite: the extender, and the conversion between HIMETRIC and the form's units (pixels).
#include "ControlContainer.h"
#include "ControlExtender.h"
#include "ControlSite.h"
#include "ScreenUnits.h"

namespace korvane::activex {

STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** extender)
{
    if (!extender)
        return E_POINTER;
    *extender = extender_.Get();
    if (!*extender)
        return E_NOTIMPL;
    (*extender)->AddRef();
    return S_OK;
}

STDMETHODIMP ControlSite::OnFocus(BOOL gotFocus)
{
    // A control that took the focus by itself (a click) becomes the UI-active one, so that the keys
    // the form offers go to it and not to the control that had the focus before.
    if (gotFocus && container_ && container_->UIActive() != this && object_)
        object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, this, 0, ParentWindow(), &bounds_);
    if (container_)
        container_->NoteFocus(*this, gotFocus != FALSE);
    return S_OK;
}

STDMETHODIMP ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags)
{
    if (!himetric || !container)
        return E_POINTER;
    const ScreenDensity density = ScreenDensity::OfScreen();
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x) * static_cast<float>(density.x) / 2540.0f;
        container->y = static_cast<float>(himetric->y) * static_cast<float>(density.y) / 2540.0f;
        return S_OK;
    }
    if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x * 2540.0f / static_cast<float>(density.x) + 0.5f);
        himetric->y = static_cast<LONG>(container->y * 2540.0f / static_cast<float>(density.y) + 0.5f);
        return S_OK;
    }
    return E_INVALIDARG;
}

} // namespace korvane::activex
