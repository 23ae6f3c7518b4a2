// The panel: its own level of state (bevels, border, outline, flood bar, caption and picture
// positions, auto-size), its members with their ranges, its window class and messages, and what it
// tells a property browser.
#include "QvPanel.h"

#include "EnumDisplayStrings.h"
#include "FloodBar.h"
#include "ObjectTableRows.h"
#include "StreamBytes.h"

#include <cstddef>
#include <cstring>

namespace plyx {

namespace {

constexpr DWORD PanelStockEvents = 248;  // Click, DblClick, MouseDown, MouseMove, MouseUp
constexpr DWORD CurrentStateVersion = 0x00020000;
const char* const PanelWindowClass = "QvPanelWndClass";
// Posted to the panel's own window: redraw it once the messages before it are handled.
constexpr UINT QVM_DEFERREDPAINT = WM_USER + 0x100;
static_assert(QVM_DEFERREDPAINT == 0x500, "the panel's deferred paint message");

enum PanelDispid : DISPID {
    AlignmentDispid = 7,
    ShadowColorDispid = 8,
    BevelWidthDispid = 13,
    BevelOuterDispid = 14,
    BevelInnerDispid = 15,
    RoundedCornersDispid = 16,
    OutlineDispid = 17,
    FloodTypeDispid = 18,
    FloodColorDispid = 19,
    FloodPercentDispid = 20,
    FloodShowPctDispid = 21,
    PictureAlignmentDispid = 40,
    PictureBackgroundDispid = 56,
    FloodFillStyleDispid = 59,
    ResizeDispid = 62,
    BorderWidthDispid = DISPID_BORDERWIDTH,
    AutoSizeDispid = DISPID_AUTOSIZE,
};

constexpr SHORT StoredTrue = -1;
constexpr DWORD DefaultFloodColor = 0x00FF0000;

PropertyTableRow PanelPropertyTable[] = {
    {L"BevelWidth", offsetof(PanelBlock, bevelWidth), 1, VT_I2, 2},
    {L"BorderWidth", offsetof(PanelBlock, borderWidth), 3, VT_I2, 2},
    {L"BevelOuter", offsetof(PanelBlock, bevelOuter), 2, VT_I2, 1},
    {L"BevelInner", offsetof(PanelBlock, bevelInner), 0, VT_I2, 1},
    {L"RoundedCorners", offsetof(PanelBlock, roundedCorners), 0xFFFF, VT_BOOL, 2},
    {L"Outline", offsetof(PanelBlock, outline), 0, VT_BOOL, 2},
    {L"FloodType", offsetof(PanelBlock, floodType), 0, VT_I2, 1},
    {L"FloodPercent", offsetof(PanelBlock, floodPercent), 0, VT_I2, 2},
    {L"FloodShowPct", offsetof(PanelBlock, floodShowPct), 0xFFFF, VT_BOOL, 2},
    {L"AutoSize", offsetof(PanelBlock, autoSize), 0, VT_I2, 1},
    {L"Alignment", offsetof(PanelBlock, alignment), qvCenterMiddle, VT_I2, 1},
    {L"PictureAlignment", offsetof(PanelBlock, pictureAlignment), 0, VT_I2, 1},
    {L"FloodFillStyle", offsetof(PanelBlock, floodFillStyle), 0, VT_I2, 1},
    {L"FloodColor", offsetof(PanelBlock, floodColor), DefaultFloodColor, VT_I4, 4},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

// What a change of a ranged member redraws.
enum class AfterChange {
    Layout,  // caption and picture placed again (animations re-armed), then redrawn
    Caption, // the caption placed again (the marquee re-armed), then redrawn
    Redraw,
    Flood,   // redrawn only while the flood bar shows, at run time
};

// {C5DC2ED0-56BE-11D0-9B9E-0000C0F04C96}: the caption and picture positions of the type library.
const GUID AlignmentEnum = {0xC5DC2ED0, 0x56BE, 0x11D0, {0x9B, 0x9E, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
constexpr ULONG CaptionPositions = 9;

const EventDescriptor ResizeEvent = {ResizeDispid, 0, nullptr};

const DISPID AppearanceDispids[] = {AlignmentDispid,    ShadowColorDispid, BevelWidthDispid,   BevelOuterDispid,
                                    BevelInnerDispid,   RoundedCornersDispid, OutlineDispid, FloodTypeDispid,
                                    FloodColorDispid,   FloodShowPctDispid, BorderWidthDispid, AutoSizeDispid};

bool IsFloodColor(DWORD color)
{
    const DWORD high = color & 0xFF000000;
    return high == 0 || high == 0x80000000;
}

DWORD DefaultAt(size_t offset)
{
    for (const PropertyTableRow* row = PanelPropertyTable; row->name != nullptr; ++row)
        if (row->offset == offset)
            return row->defaultValue;
    return 0;
}

} // namespace

struct QvPanel::RangedMember {
    DISPID dispid;
    size_t offset;
    size_t size;  // 1: unsigned byte, 2: signed 16 bits
    long lowest;
    long highest;
    ControlError error;
    AfterChange after;
};

namespace {

constexpr ControlError Invalid = ControlErrorCodes::InvalidPropertyValue;

#define PANEL_RANGED(field, size, lowest, highest, error, after, dispid) \
    {dispid, offsetof(PanelBlock, field), size, lowest, highest, error, after}

// The panel's members with a range, in the order of the stored block.
const QvPanel::RangedMember RangedMembers[] = {
    PANEL_RANGED(bevelWidth, 2, 0, 30, ControlErrorCodes::BevelWidth0To30, AfterChange::Layout, BevelWidthDispid),
    PANEL_RANGED(borderWidth, 2, 0, 30, ControlErrorCodes::BorderWidth0To30, AfterChange::Layout, BorderWidthDispid),
    PANEL_RANGED(bevelOuter, 1, 0, 2, Invalid, AfterChange::Layout, BevelOuterDispid),
    PANEL_RANGED(bevelInner, 1, 0, 2, Invalid, AfterChange::Layout, BevelInnerDispid),
    PANEL_RANGED(floodType, 1, 0, 5, Invalid, AfterChange::Redraw, FloodTypeDispid),
    PANEL_RANGED(floodPercent, 2, 0, 100, ControlErrorCodes::FloodPercent0To100, AfterChange::Flood,
                 FloodPercentDispid),
    PANEL_RANGED(autoSize, 1, 0, 3, Invalid, AfterChange::Redraw, AutoSizeDispid),
    PANEL_RANGED(alignment, 1, 0, 8, Invalid, AfterChange::Caption, AlignmentDispid),
    PANEL_RANGED(pictureAlignment, 1, 0, 12, Invalid, AfterChange::Layout, PictureAlignmentDispid),
    PANEL_RANGED(floodFillStyle, 1, 0, 1, Invalid, AfterChange::Redraw, FloodFillStyleDispid),
};
#undef PANEL_RANGED

const QvPanel::RangedMember* FindRanged(DISPID dispid)
{
    for (const QvPanel::RangedMember& member : RangedMembers)
        if (member.dispid == dispid)
            return &member;
    return nullptr;
}

long ValueAt(const PanelBlock& block, const QvPanel::RangedMember& member)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&block) + member.offset;
    if (member.size == 1)
        return *bytes;
    SHORT value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void StoreAt(PanelBlock* block, const QvPanel::RangedMember& member, long value)
{
    BYTE* bytes = reinterpret_cast<BYTE*>(block) + member.offset;
    if (member.size == 1) {
        *bytes = static_cast<BYTE>(value);
    } else {
        const SHORT stored = static_cast<SHORT>(value);
        std::memcpy(bytes, &stored, sizeof stored);
    }
}

// Stored values a put would refuse take their defaults; flags read back as True or False.
void ValidatePanelBlock(PanelBlock* block)
{
    for (const QvPanel::RangedMember& member : RangedMembers) {
        const long value = ValueAt(*block, member);
        if (value < member.lowest || value > member.highest)
            StoreAt(block, member, static_cast<long>(static_cast<SHORT>(DefaultAt(member.offset))));
    }
    for (SHORT* flag : {&block->roundedCorners, &block->outline, &block->floodShowPct})
        *flag = *flag != 0 ? StoredTrue : 0;
    if (!IsFloodColor(block->floodColor))
        block->floodColor = DefaultFloodColor;
    block->reserved1 = 0;
    std::memset(block->reserved2, 0, sizeof block->reserved2);
}

} // namespace

QvPanel::QvPanel(IUnknown* outer)
    : plyx::IQvFrameBase(outer, QvPanelTableRow, static_cast<::IQvPanel*>(this), PanelStockEvents)
{
    SetCurrentVersion(CurrentStateVersion);
}

HRESULT QvPanel::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IQvPanel)) {
        AddRef();
        *object = static_cast<::IQvPanel*>(this);
        return S_OK;
    }
    return plyx::IQvFrameBase::InternalQueryInterface(riid, object);
}

BOOL QvPanel::InitializeNewState()
{
    const BOOL done = plyx::IQvFrameBase::InitializeNewState();
    block_ = {};
    SetPropertyDefaults(PanelPropertyTable, &block_);
    captionRect_ = textRect_ = pictureRect_ = {};
    return done;
}

HRESULT QvPanel::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    const HRESULT hr = plyx::IQvFrameBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    block_ = {};
    LoadPropertyTable(PanelPropertyTable, bag, errorLog, &block_);
    ValidatePanelBlock(&block_);
    captionRect_ = textRect_ = pictureRect_ = {};
    return S_OK;
}

HRESULT QvPanel::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    const HRESULT hr = plyx::IQvFrameBase::SaveTextState(bag, saveAll);
    return FAILED(hr) ? hr : SavePropertyTable(PanelPropertyTable, bag, saveAll, &block_);
}

HRESULT QvPanel::LoadBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvFrameBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    PanelBlock loaded = {};
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    ValidatePanelBlock(&loaded);
    block_ = loaded;
    captionRect_ = textRect_ = pictureRect_ = {};
    return S_OK;
}

HRESULT QvPanel::SaveBinaryState(IStream* stream)
{
    const HRESULT hr = plyx::IQvFrameBase::SaveBinaryState(stream);
    return FAILED(hr) ? hr : WriteExactly(stream, &block_, sizeof block_);
}

LRESULT QvPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        FireEvent(&ResizeEvent);
        break;
    case QVM_DEFERREDPAINT:
        if (ControlWindow() != nullptr && IsWindow(ControlWindow()))
            Repaint(nullptr);
        return 0;
    default:
        break;
    }
    return plyx::IQvFrameBase::WindowProc(message, wParam, lParam);
}

BOOL QvPanel::RegisterClassData()
{
    return RegisterFrameWindowClass(PanelWindowClass);
}

HRESULT QvPanel::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    for (const DISPID appearance : AppearanceDispids)
        if (appearance == dispid) {
            *category = PROPCAT_Appearance;
            return S_OK;
        }
    if (dispid == PictureAlignmentDispid || dispid == PictureBackgroundDispid) {
        *category = PictureCategory;
        return S_OK;
    }
    return plyx::IQvFrameBase::MapPropertyToCategory(dispid, category);
}

BOOL QvPanel::GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies)
{
    // The caption takes the nine positions; the picture's places beside the caption are its own.
    if (dispid == AlignmentDispid)
        return SUCCEEDED(EnumDisplayStrings::GetEnumDisplayStrings(strings, cookies, DescriptorRow(), AlignmentEnum,
                                                                   CaptionPositions));
    return plyx::IQvFrameBase::GetPredefinedStrings(dispid, strings, cookies);
}

BOOL QvPanel::GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value)
{
    if (dispid == AlignmentDispid)
        return SUCCEEDED(EnumDisplayStrings::GetEnumPredefinedValue(cookie, value));
    return plyx::IQvFrameBase::GetPredefinedValue(dispid, cookie, value);
}

void QvPanel::PaintMarqueeStep()
{
    if (block_.floodType == NoFlood && !IsRectEmpty(&captionRect_))
        Repaint(&captionRect_);
}

void QvPanel::PaintAnimationFrame()
{
    if (block_.floodType == NoFlood && !IsRectEmpty(&pictureRect_))
        Repaint(&pictureRect_);
}

RECT QvPanel::Interior(const RECT& client) const
{
    LONG inset = 0;
    if (block_.bevelOuter != 0)
        inset += block_.bevelWidth;
    if (block_.bevelInner != 0)
        inset += block_.bevelWidth + block_.borderWidth;
    if (block_.outline != 0)
        inset += 1;
    RECT interior = client;
    InflateRect(&interior, -inset, -inset);
    return interior;
}

// ---- Members ----

HRESULT QvPanel::GetRanged(const RangedMember& member, long* value) const
{
    if (value == nullptr)
        return E_POINTER;
    *value = ValueAt(block_, member);
    return S_OK;
}

HRESULT QvPanel::PutRanged(const RangedMember& member, long value)
{
    if (value < member.lowest || value > member.highest)
        return RaiseError(member.error);
    if (ValueAt(block_, member) == value)
        return S_OK;
    StoreAt(&block_, member, value);
    switch (member.after) {
    case AfterChange::Layout:
        captionRect_ = textRect_ = pictureRect_ = {};
        PropertyChanged(member.dispid, false);
        RestartAnimation(true, true);
        RestartMarquee(true);
        break;
    case AfterChange::Caption:
        captionRect_ = textRect_ = {};
        PropertyChanged(member.dispid, false);
        RestartMarquee(true);
        break;
    case AfterChange::Redraw:
        PropertyChanged(member.dispid);
        break;
    case AfterChange::Flood:
        FloodChanged(member.dispid);
        break;
    }
    return S_OK;
}

void QvPanel::FloodChanged(DISPID dispid)
{
    PropertyChanged(dispid, block_.floodType != NoFlood && !DesignMode());
}

HRESULT QvPanel::PutFlag(SHORT* field, VARIANT_BOOL value, DISPID dispid, bool floodOnly)
{
    const SHORT stored = (value & 1) ? StoredTrue : 0;
    if (*field == stored)
        return S_OK;
    *field = stored;
    if (floodOnly)
        FloodChanged(dispid);
    else
        PropertyChanged(dispid);
    return S_OK;
}

// The ranged members' accessors, each through its row.
#define PANEL_RANGED_ACCESSORS(Name, Type, Dispid)                                   \
    STDMETHODIMP QvPanel::get_##Name(Type* value)                                    \
    {                                                                                \
        long stored = 0;                                                             \
        const HRESULT hr = GetRanged(*FindRanged(Dispid), &stored);                  \
        if (SUCCEEDED(hr))                                                           \
            *value = static_cast<Type>(stored);                                      \
        return hr;                                                                   \
    }                                                                                \
    STDMETHODIMP QvPanel::put_##Name(Type value) { return PutRanged(*FindRanged(Dispid), value); }

PANEL_RANGED_ACCESSORS(BevelWidth, short, BevelWidthDispid)
PANEL_RANGED_ACCESSORS(BorderWidth, short, BorderWidthDispid)
PANEL_RANGED_ACCESSORS(BevelOuter, Constants_Bevel, BevelOuterDispid)
PANEL_RANGED_ACCESSORS(BevelInner, Constants_Bevel, BevelInnerDispid)
PANEL_RANGED_ACCESSORS(FloodType, Constants_FloodType, FloodTypeDispid)
PANEL_RANGED_ACCESSORS(AutoSize, Constants_AutoSizePanel, AutoSizeDispid)
PANEL_RANGED_ACCESSORS(Alignment, Constants_Alignment, AlignmentDispid)
PANEL_RANGED_ACCESSORS(PictureAlignment, Constants_Alignment, PictureAlignmentDispid)
PANEL_RANGED_ACCESSORS(FloodFillStyle, Constants_FloodFillStyle, FloodFillStyleDispid)
#undef PANEL_RANGED_ACCESSORS

STDMETHODIMP QvPanel::get_FloodPercent(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.floodPercent;
    // The bar moves only at run time.
    if (DesignMode())
        return RaiseError(ControlErrorCodes::PropertyUnavailableAtDesignTime);
    return S_OK;
}

STDMETHODIMP QvPanel::put_FloodPercent(short value)
{
    return PutRanged(*FindRanged(FloodPercentDispid), value);
}

STDMETHODIMP QvPanel::get_RoundedCorners(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.roundedCorners != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP QvPanel::put_RoundedCorners(VARIANT_BOOL value)
{
    return PutFlag(&block_.roundedCorners, value, RoundedCornersDispid, false);
}

STDMETHODIMP QvPanel::get_Outline(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.outline != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP QvPanel::put_Outline(VARIANT_BOOL value)
{
    return PutFlag(&block_.outline, value, OutlineDispid, false);
}

STDMETHODIMP QvPanel::get_FloodShowPct(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.floodShowPct != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP QvPanel::put_FloodShowPct(VARIANT_BOOL value)
{
    return PutFlag(&block_.floodShowPct, value, FloodShowPctDispid, true);
}

STDMETHODIMP QvPanel::get_FloodColor(OLE_COLOR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.floodColor;
    return S_OK;
}

STDMETHODIMP QvPanel::put_FloodColor(OLE_COLOR value)
{
    if (!IsFloodColor(value))
        return InvalidValue();
    if (block_.floodColor == value)
        return S_OK;
    block_.floodColor = value;
    FloodChanged(FloodColorDispid);
    return S_OK;
}

STDMETHODIMP QvPanel::get__Caption(BSTR* value)
{
    return plyx::IQvBase::get_Caption(value);
}

STDMETHODIMP QvPanel::put__Caption(BSTR value)
{
    const HRESULT hr = plyx::IQvBase::put_Caption(value);
    if (SUCCEEDED(hr) && IsDirty())
        PropertyNotifyPoint().SendOnChanged(DISPID_VALUE);
    return hr;
}

STDMETHODIMP QvPanel::get_ShadowColor(Constants_ShadowColor* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_ShadowColor>(block_.shadowColor);
    if (DesignMode())
        return RaiseError(ControlErrorCodes::PropertyUnavailableAtDesignTime);
    return S_OK;
}

STDMETHODIMP QvPanel::put_ShadowColor(Constants_ShadowColor value)
{
    const BYTE stored = static_cast<BYTE>(value);
    if (block_.shadowColor == stored)
        return S_OK;
    block_.shadowColor = stored;
    PropertyChanged(ShadowColorDispid);
    return S_OK;
}

} // namespace plyx
