// The common level's persisted state. In a property bag: the table's properties by name, the three
// flags, the font, the pictures, the caption and the tag. In a stream: the 28-byte block, then the
// mouse icon, the font and the picture in their own persistent forms (each only when its present flag
// is set), then the caption and the tag's text.
#include "IQvBase.h"

#include "StreamBytes.h"
#include "StreamString.h"

#include <vector>

namespace plyx {

namespace {

// Data saved before the current version took the container's text colour as its own default.
constexpr DWORD FirstCurrentVersion = 0x00020000;

// The bag's value of `name` converted to `type`; false when it has none.
bool ReadBag(IPropertyBag* bag, const wchar_t* name, VARTYPE type, IErrorLog* errorLog, VARIANT* value)
{
    VariantInit(value);
    value->vt = type;
    HRESULT hr = bag->Read(name, value, errorLog);
    if (SUCCEEDED(hr) && type != VT_EMPTY && value->vt != type)
        hr = VariantChangeType(value, value, 0, type);
    if (FAILED(hr)) {
        VariantClear(value);
        return false;
    }
    return true;
}

// A missing entry gives `missing`.
bool ReadBagBool(IPropertyBag* bag, const wchar_t* name, IErrorLog* errorLog, bool missing)
{
    VARIANT value;
    if (!ReadBag(bag, name, VT_BOOL, errorLog, &value))
        return missing;
    return value.boolVal != VARIANT_FALSE;
}

HRESULT WriteBagBool(IPropertyBag* bag, const wchar_t* name, bool set)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = set ? VARIANT_TRUE : VARIANT_FALSE;
    return bag->Write(name, &value);
}

HRESULT WriteBagObject(IPropertyBag* bag, const wchar_t* name, IUnknown* object)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = object;
    return bag->Write(name, &value);
}

// The bag's object `name` as interface `iid`; null when it has none.
void* ReadBagObject(IPropertyBag* bag, const wchar_t* name, REFIID iid, IErrorLog* errorLog)
{
    VARIANT value;
    if (!ReadBag(bag, name, VT_UNKNOWN, errorLog, &value))
        return nullptr;
    void* object = nullptr;
    if (value.punkVal == nullptr || FAILED(value.punkVal->QueryInterface(iid, &object)))
        object = nullptr;
    VariantClear(&value);
    return object;
}

// An object's own persistent form.
HRESULT SaveObject(IUnknown* object, IStream* stream)
{
    ComReference<IPersistStream> persist;
    const HRESULT hr = object->QueryInterface(IID_IPersistStream, persist.OutVoid());
    if (FAILED(hr))
        return hr;
    return persist->Save(stream, TRUE);
}

HRESULT LoadObject(IUnknown* object, IStream* stream)
{
    ComReference<IPersistStream> persist;
    const HRESULT hr = object->QueryInterface(IID_IPersistStream, persist.OutVoid());
    if (FAILED(hr))
        return hr;
    return persist->Load(stream);
}

// A picture read from its persistent form.
HRESULT LoadPicture(IStream* stream, ComReference<IPicture>& picture)
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
    hr = LoadObject(loaded.Get(), stream);
    if (FAILED(hr))
        return hr;
    picture.Reset();
    *picture.Out() = loaded.Detach();
    return S_OK;
}

} // namespace

// ---- Property bag ----

HRESULT IQvBase::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    // Older containers kept the text colour as their own ambient one: it is this load's default (and
    // only this load's).
    std::vector<PropertyTableRow> table;
    for (const PropertyTableRow* row = CommonPropertyTable; row->name != nullptr; ++row)
        table.push_back(*row);
    table.push_back(PropertyTableRow{nullptr, 0, 0, VT_EMPTY, 0});
    if (LoadedVersion() < FirstCurrentVersion) {
        OLE_COLOR ambientForeColor = 0;
        if (GetAmbientProperty(DISPID_AMBIENT_FORECOLOR, VT_I4, &ambientForeColor))
            SetPropertyDefault(table.data(), L"ForeColor", ambientForeColor);
    }
    LoadPropertyTable(table.data(), bag, errorLog, &block_);
    dragDrop_.LoadModes(bag, errorLog);
    block_.oleDropMode = static_cast<BYTE>(dragDrop_.GetOLEDropMode());

    block_.flags = 0;
    if (ReadBagBool(bag, L"Enabled", errorLog, true))
        block_.flags |= CommonStateBlock::Enabled;
    if (ReadBagBool(bag, L"PictureAnimationEnabled", errorLog, true))
        block_.flags |= CommonStateBlock::PictureAnimationEnabled;
    if (ReadBagBool(bag, L"PictureUseMask", errorLog, false))
        block_.flags |= CommonStateBlock::PictureUseMask;

    LoadObjectsFromBag(bag, errorLog);

    caption_.Clear();
    VARIANT value;
    if (ReadBag(bag, L"Caption", VT_BSTR, errorLog, &value)) {
        caption_.AssignWide(value.bstrVal != nullptr ? value.bstrVal : L"");
        VariantClear(&value);
    }
    VariantClear(&tag_);
    if (ReadBag(bag, L"TagVariant", VT_EMPTY, errorLog, &value))
        tag_ = value;

    FinishLoad();
    return S_OK;
}

void IQvBase::FinishLoad()
{
    ValidateCommonBlock(&block_);
    // A picture is always cut into at least one frame.
    if (picture_ && block_.pictureFrames == 0)
        block_.pictureFrames = 1;
    dragDrop_.SetOLEDropMode(block_.oleDropMode);
    NoteTransparencySeen();
    RestartAnimation(true, true);
    RestartMarquee(true);
}

void IQvBase::LoadObjectsFromBag(IPropertyBag* bag, IErrorLog* errorLog)
{
    IFont* font = static_cast<IFont*>(ReadBagObject(bag, L"Font", IID_IFont, errorLog));
    // The control takes a copy: the bag's object may be handed to other controls loaded from it.
    if (font != nullptr && SUCCEEDED(font_.InitFont(nullptr, font))) {
        font->Release();
        block_.flags |= CommonStateBlock::FontPresent;
    } else {
        if (font != nullptr)
            font->Release();
        // Without a font object, a bag may name the font's members one by one.
        struct FontMember {
            const wchar_t* name;
            VARTYPE type;
        };
        static const FontMember members[] = {
            {L"FontBold", VT_BOOL}, {L"FontItalic", VT_BOOL},         {L"FontName", VT_BSTR},
            {L"FontSize", VT_R4},   {L"FontStrikethru", VT_BOOL}, {L"FontUnderline", VT_BOOL},
        };
        for (const FontMember& member : members) {
            VARIANT value;
            if (!ReadBag(bag, member.name, member.type, errorLog, &value))
                continue;
            if (member.type == VT_BSTR)
                put_FontName(value.bstrVal);
            else if (member.type == VT_R4)
                put_FontSize(value.fltVal);
            else if (member.name[4] == L'B')
                put_FontBold(value.boolVal);
            else if (member.name[4] == L'I')
                put_FontItalic(value.boolVal);
            else if (member.name[4] == L'S')
                put_FontStrikethru(value.boolVal);
            else
                put_FontUnderline(value.boolVal);
            VariantClear(&value);
        }
        if (!(block_.flags & CommonStateBlock::FontPresent))
            SetFontFromAmbient();
        EnsureFont();
    }

    mouseIcon_.Reset();
    *mouseIcon_.Out() = static_cast<IPicture*>(ReadBagObject(bag, L"MouseIcon", IID_IPicture, errorLog));
    if (mouseIcon_)
        block_.flags |= CommonStateBlock::MouseIconPresent;
    picture_.Reset();
    *picture_.Out() = static_cast<IPicture*>(ReadBagObject(bag, L"Picture", IID_IPicture, errorLog));
    if (picture_)
        block_.flags |= CommonStateBlock::PicturePresent;
}

HRESULT IQvBase::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    block_.oleDropMode = static_cast<BYTE>(dragDrop_.GetOLEDropMode());
    HRESULT hr = SavePropertyTable(CommonPropertyTable, bag, saveAll, &block_);
    const BYTE flags = block_.flags;
    if (SUCCEEDED(hr) && (saveAll || !(flags & CommonStateBlock::Enabled)))
        hr = WriteBagBool(bag, L"Enabled", (flags & CommonStateBlock::Enabled) != 0);
    if (SUCCEEDED(hr) && (saveAll || !(flags & CommonStateBlock::PictureAnimationEnabled)))
        hr = WriteBagBool(bag, L"PictureAnimationEnabled", (flags & CommonStateBlock::PictureAnimationEnabled) != 0);
    if (SUCCEEDED(hr) && (saveAll || (flags & CommonStateBlock::PictureUseMask)))
        hr = WriteBagBool(bag, L"PictureUseMask", (flags & CommonStateBlock::PictureUseMask) != 0);
    if (SUCCEEDED(hr) && mouseIcon_ && (flags & CommonStateBlock::MouseIconPresent))
        hr = WriteBagObject(bag, L"MouseIcon", mouseIcon_.Get());
    if (SUCCEEDED(hr) && Font() != nullptr && (flags & CommonStateBlock::FontPresent)) {
        // The bag gets a copy, never the control's live font.
        ComReference<IFont> copy;
        hr = Font()->Clone(copy.Out());
        if (SUCCEEDED(hr))
            hr = WriteBagObject(bag, L"Font", copy.Get());
    }
    if (SUCCEEDED(hr) && picture_ && (flags & CommonStateBlock::PicturePresent))
        hr = WriteBagObject(bag, L"Picture", picture_.Get());
    if (SUCCEEDED(hr) && !caption_.IsEmpty()) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = caption_.AllocSysString();
        hr = value.bstrVal != nullptr ? bag->Write(L"Caption", &value) : E_OUTOFMEMORY;
        VariantClear(&value);
    }
    if (SUCCEEDED(hr) && tag_.vt != VT_EMPTY && tag_.vt != VT_NULL)
        hr = bag->Write(L"TagVariant", &tag_);
    if (SUCCEEDED(hr))
        hr = dragDrop_.SaveModes(bag, saveAll);
    return hr;
}

// ---- Stream ----

HRESULT IQvBase::SaveBinaryState(IStream* stream)
{
    // A present flag is stored only with its object, so that the stored block always describes what
    // follows it.
    block_.oleDropMode = static_cast<BYTE>(dragDrop_.GetOLEDropMode());
    CommonStateBlock stored = block_;
    if (!mouseIcon_)
        stored.flags &= ~CommonStateBlock::MouseIconPresent;
    if (Font() == nullptr)
        stored.flags &= ~CommonStateBlock::FontPresent;
    if (!picture_)
        stored.flags &= ~CommonStateBlock::PicturePresent;
    HRESULT hr = WriteExactly(stream, &stored, sizeof stored);
    if (SUCCEEDED(hr) && (stored.flags & CommonStateBlock::MouseIconPresent))
        hr = SaveObject(mouseIcon_.Get(), stream);
    if (SUCCEEDED(hr) && (stored.flags & CommonStateBlock::FontPresent))
        hr = SaveObject(Font(), stream);
    if (SUCCEEDED(hr) && (stored.flags & CommonStateBlock::PicturePresent))
        hr = SaveObject(picture_.Get(), stream);
    if (SUCCEEDED(hr))
        hr = WriteStreamString(stream, caption_);
    if (SUCCEEDED(hr))
        hr = WriteStreamBstr(stream, tag_.vt == VT_BSTR ? tag_.bstrVal : nullptr);
    return hr;
}

HRESULT IQvBase::LoadBinaryState(IStream* stream)
{
    CommonStateBlock loaded = {};
    HRESULT hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    ValidateCommonBlock(&loaded);
    block_ = loaded;

    mouseIcon_.Reset();
    if (block_.flags & CommonStateBlock::MouseIconPresent) {
        hr = LoadPicture(stream, mouseIcon_);
        if (FAILED(hr)) {
            block_.flags &= ~CommonStateBlock::MouseIconPresent;
            return hr;
        }
    }
    if (block_.flags & CommonStateBlock::FontPresent) {
        FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"MS Sans Serif"), {{80000, 0}},
                                FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
        ComReference<IFont> font;
        hr = OleCreateFontIndirect(&description, IID_IFont, font.OutVoid());
        if (SUCCEEDED(hr))
            hr = LoadObject(font.Get(), stream);
        if (FAILED(hr)) {
            block_.flags &= ~CommonStateBlock::FontPresent;
            return hr;
        }
        font_.SetFont(font.Detach());
    } else {
        SetFontFromAmbient();
        EnsureFont();
    }
    picture_.Reset();
    if (block_.flags & CommonStateBlock::PicturePresent) {
        hr = LoadPicture(stream, picture_);
        if (FAILED(hr)) {
            block_.flags &= ~CommonStateBlock::PicturePresent;
            return hr;
        }
    }
    hr = ReadStreamString(stream, &caption_);
    if (FAILED(hr))
        return hr;
    BSTR tagText = nullptr;
    hr = ReadStreamBstr(stream, &tagText);
    if (FAILED(hr))
        return hr;
    VariantClear(&tag_);
    if (SysStringLen(tagText) != 0) {
        tag_.vt = VT_BSTR;
        tag_.bstrVal = tagText;
    } else {
        SysFreeString(tagText);
    }
    FinishLoad();
    return S_OK;
}

} // namespace plyx
