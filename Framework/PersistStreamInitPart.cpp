// IPersistStreamInit of the control: its state as one binary stream.
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE OleControl::PersistStreamInitPart::GetClassID(CLSID* clsid)
{
    if (clsid == nullptr)
        return E_POINTER;
    control.GetClassIdOf(clsid);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStreamInitPart::IsDirty()
{
    return control.IsDirty() ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStreamInitPart::InitNew() { return control.InitNewState(); }

HRESULT STDMETHODCALLTYPE OleControl::PersistStreamInitPart::Load(LPSTREAM stream)
{
    return control.LoadFromStream(stream);
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStreamInitPart::Save(LPSTREAM stream, BOOL clearDirty)
{
    const HRESULT hr = control.SaveToStream(stream);
    if (SUCCEEDED(hr))
        control.SaveDone(clearDirty);
    return hr;
}

HRESULT STDMETHODCALLTYPE OleControl::PersistStreamInitPart::GetSizeMax(ULARGE_INTEGER*) { return E_NOTIMPL; }
