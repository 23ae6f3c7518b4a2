// IPersistStreamInit: the control's state as bytes.
//
//   u32 0x12344321, u32 8, i32 cx, i32 cy   the extent in HIMETRIC
//   u32 0x00010000                          the kit's own format version
//   the persisted properties in class order: VT_BOOL and VT_I2 as 2 bytes, VT_I4 and VT_R4 as 4 bytes,
//   VT_BSTR as a u32 count of UTF-16 units and the units; all little-endian.
//
// Data of another version (another control's state handed to this one) gives the extent only.
#include "ControlObject.h"

#include "com/Variant.h"

#include <cstdint>
#include <vector>

namespace korvane::kit {

namespace {

constexpr uint32_t kExtentMagic = 0x12344321;
constexpr uint32_t kFormatVersion = 0x00010000;

HRESULT ReadBytes(IStream* stream, void* buffer, ULONG size)
{
    ULONG read = 0;
    HRESULT hr = stream->Read(buffer, size, &read);
    if (FAILED(hr))
        return hr;
    return read == size ? S_OK : STG_E_READFAULT;
}

HRESULT WriteBytes(IStream* stream, const void* buffer, ULONG size)
{
    ULONG written = 0;
    HRESULT hr = stream->Write(buffer, size, &written);
    if (FAILED(hr))
        return hr;
    return written == size ? S_OK : STG_E_WRITEFAULT;
}

HRESULT ReadValue(IStream* stream, VARTYPE type, com::Variant& value)
{
    VARIANT& v = value.Get();
    HRESULT hr = E_UNEXPECTED;
    switch (type) {
    case VT_BOOL:
    case VT_I2: {
        int16_t number = 0;
        hr = ReadBytes(stream, &number, sizeof number);
        v.vt = type;
        v.iVal = number;
        break;
    }
    case VT_I4:
        hr = ReadBytes(stream, &v.lVal, 4);
        v.vt = VT_I4;
        break;
    case VT_R4:
        hr = ReadBytes(stream, &v.fltVal, 4);
        v.vt = VT_R4;
        break;
    case VT_BSTR: {
        uint32_t count = 0;
        hr = ReadBytes(stream, &count, sizeof count);
        if (FAILED(hr))
            break;
        if (count > 65536)
            return E_UNEXPECTED;
        std::vector<wchar_t> text(count);
        hr = ReadBytes(stream, text.data(), count * sizeof(wchar_t));
        if (SUCCEEDED(hr))
            value = com::Variant::Text(std::wstring(text.begin(), text.end()));
        break;
    }
    }
    return hr;
}

HRESULT WriteValue(IStream* stream, VARTYPE type, const com::Variant& value)
{
    com::Variant typed;
    if (!value.ConvertTo(type, typed))
        return E_UNEXPECTED;
    const VARIANT& v = typed.Get();
    switch (type) {
    case VT_BOOL:
    case VT_I2:
        return WriteBytes(stream, &v.iVal, 2);
    case VT_I4:
        return WriteBytes(stream, &v.lVal, 4);
    case VT_R4:
        return WriteBytes(stream, &v.fltVal, 4);
    case VT_BSTR: {
        uint32_t count = v.bstrVal ? SysStringLen(v.bstrVal) : 0;
        HRESULT hr = WriteBytes(stream, &count, sizeof count);
        return SUCCEEDED(hr) && count ? WriteBytes(stream, v.bstrVal, count * sizeof(wchar_t)) : hr;
    }
    }
    return E_UNEXPECTED;
}

} // namespace

STDMETHODIMP ControlObject::InitNew()
{
    SetDefaults();
    dirty_ = true;
    return S_OK;
}

STDMETHODIMP ControlObject::Load(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    uint32_t header[5] = {};
    HRESULT hr = ReadBytes(stream, header, sizeof header);
    if (FAILED(hr))
        return hr;
    if (header[0] != kExtentMagic || header[1] != 8)
        return E_UNEXPECTED;
    extent_.cx = static_cast<LONG>(header[2]);
    extent_.cy = static_cast<LONG>(header[3]);
    if (header[4] != kFormatVersion)
        return S_OK;
    for (size_t i = 0; i < class_.propertyCount; ++i) {
        const PersistedProperty& property = class_.properties[i];
        com::Variant value;
        hr = ReadValue(stream, property.type, value);
        if (FAILED(hr))
            return hr;
        hr = PutProperty(property.dispid, value.Get());
        if (FAILED(hr))
            return hr;
    }
    dirty_ = false;
    return S_OK;
}

STDMETHODIMP ControlObject::Save(IStream* stream, BOOL clearDirty)
{
    if (!stream)
        return E_POINTER;
    const uint32_t header[5] = {kExtentMagic, 8, static_cast<uint32_t>(extent_.cx), static_cast<uint32_t>(extent_.cy),
                                kFormatVersion};
    HRESULT hr = WriteBytes(stream, header, sizeof header);
    for (size_t i = 0; SUCCEEDED(hr) && i < class_.propertyCount; ++i) {
        com::Variant value;
        hr = GetProperty(class_.properties[i].dispid, value.Get());
        if (SUCCEEDED(hr))
            hr = WriteValue(stream, class_.properties[i].type, value);
    }
    if (SUCCEEDED(hr) && clearDirty)
        dirty_ = false;
    return hr;
}

} // namespace korvane::kit
