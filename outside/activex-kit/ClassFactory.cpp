#include "ClassFactory.h"

#include "ControlObject.h"

namespace korvane::kit {

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** out)
{
    return com::AnswerQuery(iid, out, {{&IID_IUnknown, this}, {&IID_IClassFactory, this}});
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
