// IPersistPropertyBag of the control: its state as named properties.
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE OleControl::PersistPropertyBagPart::GetClassID(CLSID* clsid)
{
    if (clsid == nullptr)
        return E_POINTER;
    control.GetClassIdOf(clsid);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistPropertyBagPart::InitNew() { return control.InitNewState(); }

HRESULT STDMETHODCALLTYPE OleControl::PersistPropertyBagPart::Load(IPropertyBag* bag, IErrorLog* errorLog)
{
    if (bag == nullptr)
        return E_POINTER;
    HRESULT hr = control.LoadBaseTextState(bag, errorLog);
    if (SUCCEEDED(hr))
        hr = control.LoadTextState(bag, errorLog);
    return hr;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistPropertyBagPart::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll)
{
    if (bag == nullptr)
        return E_POINTER;
    HRESULT hr = control.SaveBaseTextState(bag);
    if (SUCCEEDED(hr))
        hr = control.SaveTextState(bag, saveAll);
    if (SUCCEEDED(hr))
        control.SaveDone(clearDirty);
    return hr;
}
