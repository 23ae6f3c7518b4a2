// The check/option level's persisted state: in a property bag the alignments and the mask colour by
// the table, the mask switch and the glyph picture; in a stream the 7-byte block, then the glyph
// picture's own persistent form when the block says one follows.
#include "IQvOptionBase.h"

#include "StreamBytes.h"

#include <cstddef>

namespace plyx {

namespace {

const PropertyTableRow OptionPropertyTable[] = {
    {L"Alignment", offsetof(OptionStateBlock, alignment), GlyphLeftTextRight, VT_I2, 1},
    {L"PictureAlignment", offsetof(OptionStateBlock, pictureAlignment), PictureLeftOfCaption, VT_I2, 1},
    {L"MaskColor", offsetof(OptionStateBlock, maskColor), 0x00C0C0C0, VT_I4, 4},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

// The bag's value of `name` as `type`; false when it has none.
bool ReadBagValue(IPropertyBag* bag, const wchar_t* name, VARTYPE type, IErrorLog* errorLog, VARIANT* value)
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

BOOL IQvOptionBase::InitializeNewState()
{
    if (!IQvBase::InitializeNewState())
        return FALSE;
    SetPropertyDefaults(OptionPropertyTable, &optionBlock_);
    optionBlock_.flags = 0;
    pressState_ = PressUp;
    graphics_.CreateEmpty();
    layout_ = {};
    return TRUE;
}

void IQvOptionBase::KeepAlignmentsInRange()
{
    if (optionBlock_.alignment > GlyphRightTextLeft)
        optionBlock_.alignment = GlyphLeftTextRight;
    if (optionBlock_.pictureAlignment > PictureJustified)
        optionBlock_.pictureAlignment = PictureLeftOfCaption;
}

HRESULT IQvOptionBase::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    HRESULT hr = IQvBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    LoadPropertyTable(OptionPropertyTable, bag, errorLog, &optionBlock_);
    KeepAlignmentsInRange();
    optionBlock_.flags = 0;
    VARIANT value;
    if (ReadBagValue(bag, L"GraphicsUseMask", VT_BOOL, errorLog, &value) && (value.boolVal & 1))
        optionBlock_.flags |= OptionStateBlock::GraphicsUseMask;
    graphics_.CreateEmpty();
    if (ReadBagValue(bag, L"Graphics", VT_UNKNOWN, errorLog, &value)) {
        ComReference<IPictureDisp> picture;
        if (value.punkVal != nullptr && SUCCEEDED(value.punkVal->QueryInterface(IID_IPictureDisp, picture.OutVoid())) &&
            graphics_.SetFromDispatch(picture.Get()))
            optionBlock_.flags |= OptionStateBlock::GraphicsPresent;
        else
            graphics_.CreateEmpty();
        VariantClear(&value);
    }
    layout_ = {};
    return S_OK;
}

HRESULT IQvOptionBase::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    HRESULT hr = IQvBase::SaveTextState(bag, saveAll);
    if (SUCCEEDED(hr))
        hr = SavePropertyTable(OptionPropertyTable, bag, saveAll, &optionBlock_);
    const bool useMask = (optionBlock_.flags & OptionStateBlock::GraphicsUseMask) != 0;
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(hr) && (saveAll || useMask)) {
        value.vt = VT_BOOL;
        value.boolVal = useMask ? VARIANT_TRUE : VARIANT_FALSE;
        hr = bag->Write(L"GraphicsUseMask", &value);
    }
    if (SUCCEEDED(hr) && (optionBlock_.flags & OptionStateBlock::GraphicsPresent) && graphics_.Picture() != nullptr) {
        value.vt = VT_UNKNOWN;
        value.punkVal = graphics_.Picture();
        hr = bag->Write(L"Graphics", &value);
    }
    return hr;
}

HRESULT IQvOptionBase::SaveBinaryState(IStream* stream)
{
    HRESULT hr = IQvBase::SaveBinaryState(stream);
    if (FAILED(hr))
        return hr;
    // The present flag is stored only with its picture, so that the block describes what follows.
    OptionStateBlock stored = optionBlock_;
    if (graphics_.Picture() == nullptr)
        stored.flags &= ~OptionStateBlock::GraphicsPresent;
    hr = WriteExactly(stream, &stored, sizeof stored);
    if (FAILED(hr) || !(stored.flags & OptionStateBlock::GraphicsPresent))
        return hr;
    ComReference<IPersistStream> persist;
    hr = graphics_.Picture()->QueryInterface(IID_IPersistStream, persist.OutVoid());
    return SUCCEEDED(hr) ? persist->Save(stream, TRUE) : hr;
}

HRESULT IQvOptionBase::LoadBinaryState(IStream* stream)
{
    HRESULT hr = IQvBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    OptionStateBlock loaded = {};
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    optionBlock_ = loaded;
    KeepAlignmentsInRange();
    layout_ = {};
    graphics_.CreateEmpty();
    if (!(optionBlock_.flags & OptionStateBlock::GraphicsPresent))
        return S_OK;
    optionBlock_.flags &= ~OptionStateBlock::GraphicsPresent;
    ComReference<IPersistStream> persist;
    if (graphics_.Picture() == nullptr)
        return E_OUTOFMEMORY;
    hr = graphics_.Picture()->QueryInterface(IID_IPersistStream, persist.OutVoid());
    if (SUCCEEDED(hr))
        hr = persist->Load(stream);
    if (FAILED(hr)) {
        graphics_.CreateEmpty();
        return hr;
    }
    optionBlock_.flags |= OptionStateBlock::GraphicsPresent;
    return S_OK;
}

} // namespace plyx
