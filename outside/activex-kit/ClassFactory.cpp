#include "ClassFactory.h"

#include "ControlObject.h"

namespace korvane::kit {

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) ClassFactory::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    ControlObject* control = class_.create(class_);
    if (!control)
        return E_OUTOFMEMORY;
    HRESULT hr = control->Initialize();
    if (SUCCEEDED(hr))
        hr = control->QueryInterface(iid, out);
    control->Release();  // the creation reference; the caller's is the query's
    return hr;
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock)
{
    Module::Lock(lock != FALSE);
    return S_OK;
}

} // namespace korvane::kit
