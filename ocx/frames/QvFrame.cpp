// The frame: its own level of state (caption alignment, picture side, shadow style), its members,
// its window class and what it tells a property browser.
#include "QvFrame.h"

#include "EnumDisplayStrings.h"
#include "FrameBorder.h"
#include "ObjectTableRows.h"
#include "StreamBytes.h"

namespace plyx {

namespace {

constexpr DWORD FrameStockEvents = 248;  // Click, DblClick, MouseDown, MouseMove, MouseUp
constexpr DWORD CurrentStateVersion = 0x00020000;
const char* const FrameWindowClass = "QvFrameWndClass";

enum FrameDispid : DISPID {
    AlignmentDispid = 7,
    ShadowColorDispid = 8,
    ShadowStyleDispid = 10,
    PictureAlignmentDispid = 40,
    PictureBackgroundDispid = 56,
};

constexpr BYTE LastFrameAlignment = 5;
constexpr BYTE LastFramePictureAlignment = 1;

PropertyTableRow FramePropertyTable[] = {
    {L"Alignment", offsetof(FrameBlock, alignment), 0, VT_I2, 1},
    {L"PictureAlignment", offsetof(FrameBlock, pictureAlignment), 0, VT_I2, 1},
    {L"ShadowStyle", offsetof(FrameBlock, shadowStyle), 0, VT_I2, 1},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

// {C5DC2ED1-56BE-11D0-9B9E-0000C0F04C96}: the picture alignments of the type library.
const GUID PictureAlignmentEnum = {0xC5DC2ED1, 0x56BE, 0x11D0, {0x9B, 0x9E, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};

// Stored values a put would refuse take their defaults.
void ValidateFrameBlock(FrameBlock* block)
{
    if (block->alignment > LastFrameAlignment)
        block->alignment = 0;
    if (block->pictureAlignment > LastFramePictureAlignment)
        block->pictureAlignment = 0;
    if (block->shadowStyle > RaisedFrameShadow)
        block->shadowStyle = InsetFrameShadow;
}

} // namespace

QvFrame::QvFrame(IUnknown* outer)
    : plyx::IQvFrameBase(outer, QvFrameTableRow, static_cast<::IQvFrame*>(this), FrameStockEvents)
{
    SetCurrentVersion(CurrentStateVersion);
}

HRESULT QvFrame::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IQvFrame)) {
        AddRef();
        *object = static_cast<::IQvFrame*>(this);
        return S_OK;
    }
    return plyx::IQvFrameBase::InternalQueryInterface(riid, object);
}

CaptionLines QvFrame::Lines() const
{
    switch (block_.alignment % 3) {
    case 1:
        return CaptionLines::Right;
    case 2:
        return CaptionLines::Centre;
    default:
        return CaptionLines::Left;
    }
}

BOOL QvFrame::InitializeNewState()
{
    const BOOL done = plyx::IQvFrameBase::InitializeNewState();
    SetPropertyDefaults(FramePropertyTable, &block_);
    layout_ = {};
    return done;
}

HRESULT QvFrame::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    const HRESULT hr = plyx::IQvFrameBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    LoadPropertyTable(FramePropertyTable, bag, errorLog, &block_);
    ValidateFrameBlock(&block_);
    layout_ = {};
    return S_OK;
}

HRESULT QvFrame::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    const HRESULT hr = plyx::IQvFrameBase::SaveTextState(bag, saveAll);
    return FAILED(hr) ? hr : SavePropertyTable(FramePropertyTable, bag, saveAll, &block_);
}

HRESULT QvFrame::LoadBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvFrameBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    FrameBlock loaded = {};
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    ValidateFrameBlock(&loaded);
    block_ = loaded;
    layout_ = {};
    return S_OK;
}

HRESULT QvFrame::SaveBinaryState(IStream* stream)
{
    const HRESULT hr = plyx::IQvFrameBase::SaveBinaryState(stream);
    return FAILED(hr) ? hr : WriteExactly(stream, &block_, sizeof block_);
}

LRESULT QvFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return plyx::IQvFrameBase::WindowProc(message, wParam, lParam);
}

BOOL QvFrame::RegisterClassData()
{
    return RegisterFrameWindowClass(FrameWindowClass);
}

HRESULT QvFrame::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    switch (dispid) {
    case AlignmentDispid:
    case ShadowStyleDispid:
        *category = PROPCAT_Appearance;
        return S_OK;
    case PictureAlignmentDispid:
    case PictureBackgroundDispid:
        *category = PictureCategory;
        return S_OK;
    default:
        return plyx::IQvFrameBase::MapPropertyToCategory(dispid, category);
    }
}

BOOL QvFrame::GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies)
{
    // The frame puts its picture on one side of the caption only: the first two names.
    if (dispid == PictureAlignmentDispid)
        return SUCCEEDED(EnumDisplayStrings::GetEnumDisplayStrings(strings, cookies, DescriptorRow(),
                                                                   PictureAlignmentEnum, 2));
    return plyx::IQvFrameBase::GetPredefinedStrings(dispid, strings, cookies);
}

BOOL QvFrame::GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value)
{
    if (dispid == PictureAlignmentDispid)
        return SUCCEEDED(EnumDisplayStrings::GetEnumPredefinedValue(cookie, value));
    return plyx::IQvFrameBase::GetPredefinedValue(dispid, cookie, value);
}

// ---- Members ----

STDMETHODIMP QvFrame::get__Caption(BSTR* value)
{
    return plyx::IQvBase::get_Caption(value);
}

STDMETHODIMP QvFrame::put__Caption(BSTR value)
{
    const HRESULT hr = plyx::IQvBase::put_Caption(value);
    if (SUCCEEDED(hr) && IsDirty())
        PropertyNotifyPoint().SendOnChanged(DISPID_VALUE);
    return hr;
}

HRESULT QvFrame::PutOwnByte(BYTE* field, long value, long highest, DISPID dispid, Relayout relayout)
{
    if (value < 0 || value > highest)
        return InvalidValue();
    if (*field == value)
        return S_OK;
    *field = static_cast<BYTE>(value);
    switch (relayout) {
    case Relayout::Border:
        PropertyChanged(dispid, false);
        InvalidateControl(nullptr);
        break;
    case Relayout::Caption:
        DiscardBackgroundCache();
        PropertyChanged(dispid, false);
        RestartMarquee(true);
        break;
    case Relayout::PictureAndCaption:
        PropertyChanged(dispid, false);
        RestartAnimation(true, true);
        RestartMarquee(true);
        break;
    }
    return S_OK;
}

void QvFrame::PaintMarqueeStep()
{
    // The caption's area is drawn again, with the text at its new place.
    if (!IsRectEmpty(&layout_.caption))
        Repaint(&layout_.caption);
}

void QvFrame::PaintAnimationFrame()
{
    if (!IsRectEmpty(&layout_.picture))
        Repaint(&layout_.picture);
}

STDMETHODIMP QvFrame::get_Alignment(Constants_AlignFrameText* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_AlignFrameText>(block_.alignment);
    return S_OK;
}

STDMETHODIMP QvFrame::put_Alignment(Constants_AlignFrameText value)
{
    return PutOwnByte(&block_.alignment, value, LastFrameAlignment, AlignmentDispid, Relayout::Caption);
}

STDMETHODIMP QvFrame::get_ShadowColor(Constants_ShadowColor* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_ShadowColor>(0);
    if (DesignMode())
        return RaiseError(ControlErrorCodes::PropertyUnavailableAtDesignTime);
    return S_OK;
}

STDMETHODIMP QvFrame::put_ShadowColor(Constants_ShadowColor)
{
    // Kept for the interface; the frame's shadow has the scheme's colour.
    return S_OK;
}

STDMETHODIMP QvFrame::get_ShadowStyle(Constants_ShadowStyle* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_ShadowStyle>(block_.shadowStyle);
    return S_OK;
}

STDMETHODIMP QvFrame::put_ShadowStyle(Constants_ShadowStyle value)
{
    return PutOwnByte(&block_.shadowStyle, value, RaisedFrameShadow, ShadowStyleDispid, Relayout::Border);
}

STDMETHODIMP QvFrame::get_PictureAlignment(Constants_PictureAlignment* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_PictureAlignment>(block_.pictureAlignment);
    return S_OK;
}

STDMETHODIMP QvFrame::put_PictureAlignment(Constants_PictureAlignment value)
{
    return PutOwnByte(&block_.pictureAlignment, value, LastFramePictureAlignment, PictureAlignmentDispid,
                      Relayout::PictureAndCaption);
}

} // namespace plyx
