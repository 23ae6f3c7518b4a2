#include "MemoryPropertyBag.h"

MemoryPropertyBag::~MemoryPropertyBag()
{
    for (auto& entry : values_)
        VariantClear(&entry.second);
}

HRESULT STDMETHODCALLTYPE MemoryPropertyBag::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IPropertyBag)
        return E_NOINTERFACE;
    *object = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    const auto found = values_.find(name);
    if (found == values_.end())
        return E_INVALIDARG;
    const VARTYPE wanted = value->vt;
    VariantInit(value);
    HRESULT hr = VariantCopy(value, &found->second);
    if (SUCCEEDED(hr) && wanted != VT_EMPTY && wanted != value->vt)
        hr = VariantChangeType(value, value, 0, wanted);
    return hr;
}

HRESULT STDMETHODCALLTYPE MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value)
{
    if (FAILED(writeAnswer))
        return writeAnswer;
    VARIANT copy;
    VariantInit(&copy);
    const HRESULT hr = VariantCopy(&copy, value);
    if (FAILED(hr))
        return hr;
    Set(name, copy);
    return S_OK;
}

void MemoryPropertyBag::SetLong(const wchar_t* name, LONG value)
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = value;
    Set(name, variant);
}

void MemoryPropertyBag::Set(const wchar_t* name, const VARIANT& value)
{
    Remove(name);
    values_[name] = value;
}

void MemoryPropertyBag::Remove(const wchar_t* name)
{
    const auto found = values_.find(name);
    if (found != values_.end()) {
        VariantClear(&found->second);
        values_.erase(found);
    }
}

LONG MemoryPropertyBag::Long(const wchar_t* name) const
{
    const auto found = values_.find(name);
    if (found == values_.end() || found->second.vt != VT_I4)
        return -1;
    return found->second.lVal;
}
