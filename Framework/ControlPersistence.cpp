// The framework's own part of a control's persisted state: the extent header of a stream and the
// extent in a property bag, and the order in which the class levels follow it.
#include "ControlPersistence.h"

#include <cstddef>

#include "Himetric.h"
#include "OleControl.h"

namespace {
// Beyond any screen: an extent this large comes from damaged data, not from a container.
constexpr LONG LargestExtentPixels = 0x7FFF;

bool ExtentInRange(const SIZEL& pixels)
{
    return pixels.cx >= 0 && pixels.cy >= 0 && pixels.cx <= LargestExtentPixels && pixels.cy <= LargestExtentPixels;
}
} // namespace

HRESULT OleControl::LoadBaseBinaryState(IStream* stream)
{
    ExtentHeader header = {};
    HRESULT hr = ReadExactly(stream, &header, offsetof(ExtentHeader, cx));
    if (FAILED(hr))
        return hr;
    if (header.magic != ExtentHeader::Magic || header.extentSize != ExtentHeader::ExtentSize)
        return E_UNEXPECTED;
    hr = ReadExactly(stream, &header.cx, ExtentHeader::ExtentSize);
    if (FAILED(hr))
        return hr;
    if (header.cx < 0 || header.cy < 0)
        return E_UNEXPECTED;
    const SIZEL himetric = {header.cx, header.cy};
    SIZEL pixels = {};
    HimetricToPixels(&himetric, &pixels);
    if (!ExtentInRange(pixels))
        return E_UNEXPECTED;
    extent_ = pixels;
    return S_OK;
}

HRESULT OleControl::SaveBaseBinaryState(IStream* stream)
{
    SIZEL himetric = {};
    PixelsToHimetric(&extent_, &himetric);
    const ExtentHeader header = {ExtentHeader::Magic, ExtentHeader::ExtentSize, himetric.cx, himetric.cy};
    return WriteExactly(stream, &header, sizeof(header));
}

HRESULT OleControl::LoadBaseTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    LONG values[2] = {};
    const wchar_t* const names[2] = {ExtentXName, ExtentYName};
    bool found = true;
    for (int i = 0; i < 2 && found; ++i) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        found = bag != nullptr && SUCCEEDED(bag->Read(names[i], &value, errorLog)) &&
                SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4));
        if (found)
            values[i] = value.lVal;
        VariantClear(&value);
    }
    SIZEL pixels = {DefaultWidth, DefaultHeight};
    if (found) {
        const SIZEL himetric = {values[0], values[1]};
        HimetricToPixels(&himetric, &pixels);
        // An extent no screen could show is damaged data, refused as in a stream: the extent is
        // kept and nothing after it is read.
        if (!ExtentInRange(pixels))
            return E_UNEXPECTED;
    }
    extent_ = pixels;
    return S_OK;
}

HRESULT OleControl::SaveBaseTextState(IPropertyBag* bag)
{
    if (bag == nullptr)
        return E_POINTER;
    SIZEL himetric = {};
    PixelsToHimetric(&extent_, &himetric);
    const LONG values[2] = {himetric.cx, himetric.cy};
    const wchar_t* const names[2] = {ExtentXName, ExtentYName};
    for (int i = 0; i < 2; ++i) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = values[i];
        const HRESULT hr = bag->Write(names[i], &value);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT OleControl::InitNewState()
{
    const bool ok = InitializeNewState() != FALSE;
    SetDirty(true);
    return ok ? S_OK : E_FAIL;
}

HRESULT OleControl::LoadFromStream(IStream* stream)
{
    HRESULT hr = LoadBaseBinaryState(stream);
    if (SUCCEEDED(hr))
        hr = LoadBinaryState(stream);
    return hr;
}

HRESULT OleControl::SaveToStream(IStream* stream)
{
    HRESULT hr = SaveBaseBinaryState(stream);
    if (SUCCEEDED(hr))
        hr = SaveBinaryState(stream);
    return hr;
}

void OleControl::GetClassIdOf(CLSID* clsid)
{
    const CLSID* own = ControlRow().clsid;
    *clsid = own != nullptr ? *own : CLSID_NULL;
}

void OleControl::SaveDone(BOOL clearDirty)
{
    if (clearDirty)
        SetDirty(false);
    SendOnSave();
}
