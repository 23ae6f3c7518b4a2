// IPersistPropertyBag: the control's state by name. A property the bag does not hold keeps its default.
#include "ControlObject.h"

#include "com/Variant.h"

namespace korvane::kit {

namespace {

HRESULT ReadExtentPart(IPropertyBag* bag, IErrorLog* log, const wchar_t* name, LONG& part)
{
    com::Variant value;
    value.Get().vt = VT_I4;
    HRESULT hr = bag->Read(name, &value.Get(), log);
    if (SUCCEEDED(hr))
        part = value.AsInt32(part);
    return hr;
}

} // namespace

STDMETHODIMP ControlObject::Load(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag)
        return E_POINTER;
    SetDefaults();
    ReadExtentPart(bag, log, L"_ExtentX", extent_.cx);
    ReadExtentPart(bag, log, L"_ExtentY", extent_.cy);
    for (size_t i = 0; i < class_.propertyCount; ++i) {
        const PersistedProperty& property = class_.properties[i];
        com::Variant value;
        value.Get().vt = property.type;
        if (FAILED(bag->Read(property.name, &value.Get(), log)))
            continue;
        HRESULT hr = PutProperty(property.dispid, value.Get());
        if (FAILED(hr))
            return hr;
    }
    dirty_ = false;
    return S_OK;
}

STDMETHODIMP ControlObject::Save(IPropertyBag* bag, BOOL clearDirty, BOOL)
{
    if (!bag)
        return E_POINTER;
    com::Variant cx = com::Variant::Int32(extent_.cx), cy = com::Variant::Int32(extent_.cy);
    HRESULT hr = bag->Write(L"_ExtentX", &cx.Get());
    if (SUCCEEDED(hr))
        hr = bag->Write(L"_ExtentY", &cy.Get());
    for (size_t i = 0; SUCCEEDED(hr) && i < class_.propertyCount; ++i) {
        com::Variant value;
        hr = GetProperty(class_.properties[i].dispid, value.Get());
        if (SUCCEEDED(hr))
            hr = bag->Write(class_.properties[i].name, &value.Get());
    }
    if (SUCCEEDED(hr) && clearDirty)
        dirty_ = false;
    return hr;
}

} // namespace korvane::kit
