#include "ButtonPersistence.h"

#include "ComReference.h"

#include <olectl.h>

namespace plyx {

namespace {

bool ReadBag(IPropertyBag* bag, const wchar_t* name, VARTYPE type, IErrorLog* errorLog, VARIANT* value)
{
    VariantInit(value);
    value->vt = type;
    HRESULT hr = bag->Read(name, value, errorLog);
    if (SUCCEEDED(hr) && value->vt != type)
        hr = VariantChangeType(value, value, 0, type);
    if (FAILED(hr)) {
        VariantClear(value);
        return false;
    }
    return true;
}

} // namespace

bool ReadBagBool(IPropertyBag* bag, const wchar_t* name, IErrorLog* errorLog, bool missing)
{
    VARIANT value;
    if (!ReadBag(bag, name, VT_BOOL, errorLog, &value))
        return missing;
    return (value.boolVal & 1) != 0;
}

HRESULT WriteBagBool(IPropertyBag* bag, const wchar_t* name, bool set)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = set ? VARIANT_TRUE : VARIANT_FALSE;
    return bag->Write(name, &value);
}

bool ReadBagPicture(IPropertyBag* bag, const wchar_t* name, IErrorLog* errorLog, PictureHolder* holder)
{
    VARIANT value;
    if (!ReadBag(bag, name, VT_UNKNOWN, errorLog, &value))
        return false;
    PictureHolder read;
    const bool found = value.punkVal != nullptr && read.SetFromDispatch(value.punkVal);
    VariantClear(&value);
    if (found)
        holder->SetFromDispatch(read.Picture());
    return found;
}

HRESULT WriteBagPicture(IPropertyBag* bag, const wchar_t* name, const PictureHolder& holder)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = holder.Picture();
    return bag->Write(name, &value);
}

HRESULT SaveStreamPicture(IStream* stream, const PictureHolder& holder)
{
    if (holder.Picture() == nullptr)
        return E_UNEXPECTED;
    ComReference<IPersistStream> persist;
    const HRESULT hr = holder.Picture()->QueryInterface(IID_IPersistStream, persist.OutVoid());
    if (FAILED(hr))
        return hr;
    return persist->Save(stream, TRUE);
}

HRESULT LoadStreamPicture(IStream* stream, PictureHolder* holder)
{
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_UNINITIALIZED;
    ComReference<IPicture> loaded;
    HRESULT hr = OleCreatePictureIndirect(&description, IID_IPicture, TRUE, loaded.OutVoid());
    // Some implementations make an empty picture only without a description.
    if (FAILED(hr))
        hr = OleCreatePictureIndirect(nullptr, IID_IPicture, TRUE, loaded.OutVoid());
    if (FAILED(hr))
        return hr;
    ComReference<IPersistStream> persist;
    hr = loaded->QueryInterface(IID_IPersistStream, persist.OutVoid());
    if (SUCCEEDED(hr))
        hr = persist->Load(stream);
    if (FAILED(hr))
        return hr;
    return holder->SetFromDispatch(loaded.Get()) ? S_OK : E_OUTOFMEMORY;
}

} // namespace plyx
