#include "QvCheck.h"

#include "ControlCreators.h"
#include "EventDescriptor.h"
#include "ObjectTableRows.h"
#include "StreamBytes.h"

#include <cstddef>
#include <iterator>
#include <new>

namespace {

constexpr DISPID ValueDispid = 47;
constexpr DISPID BoundValueDispid = 65;
constexpr DISPID TripleStateDispid = 44;
constexpr UINT CheckGlyphResource = 107;
constexpr int CheckGlyphCells = 9;
// The glyph cells: unchecked, checked, grayed; then pressed, then disabled.
constexpr int PressedCells = 3;
constexpr int DisabledCells = 6;
constexpr BYTE Unchecked = 0;
constexpr BYTE Checked = 1;
constexpr BYTE Grayed = 2;
// KeyDown, KeyPress, KeyUp, MouseDown, MouseMove, MouseUp; Click is the control's own.
constexpr DWORD CheckStockEvents = 63;

const VARTYPE ClickParameters[] = {VT_I2 | VT_BYREF};
const EventDescriptor ClickEvent = {22, 1, ClickParameters};

const PropertyTableRow CheckPropertyTable[] = {
    {L"Value", offsetof(CheckStateBlock, value), Unchecked, VT_I2, 1},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

const plyx::PropertyCategoryRow CheckCategories[] = {
    {plyx::GlyphMaskColorDispid, PictureCategory},
    {plyx::GlyphUseMaskDispid, PictureCategory},
    {plyx::GlyphGraphicsDispid, PictureCategory},
    {TripleStateDispid, PROPCAT_Misc},
    {ValueDispid, PROPCAT_Misc},
};

const plyx::OptionClassTraits QvCheckTraits = {CheckGlyphCells, CheckGlyphResource, CheckCategories,
                                               std::size(CheckCategories)};

} // namespace

IUnknown* CreateQvCheck(IUnknown* outer)
{
    QvCheck* control = new (std::nothrow) QvCheck(outer);
    return control != nullptr ? control->PrivateUnknown() : nullptr;
}

QvCheck::QvCheck(IUnknown* outer)
    : plyx::IQvOptionBase(outer, QvCheckTableRow, static_cast<::IQvCheck*>(this), CheckStockEvents,
                          QvCheckTraits)
{
}

HRESULT QvCheck::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    // The class's default interface is the dispinterface of the same members and DISPIDs: a host that
    // asks for it is answered with the dual interface.
    if (SameIid(riid, IID_IQvCheck) || SameIid(riid, DIID_DQvCheck)) {
        AddRef();
        *object = static_cast<::IQvCheck*>(this);
        return S_OK;
    }
    return plyx::IQvOptionBase::InternalQueryInterface(riid, object);
}


// ---- Value ----

long QvCheck::ReadValue()
{
    // At run time a checked two-state box reads True.
    if (DesignMode() || TripleStateOn() || block_.value == Unchecked)
        return block_.value;
    return -1;
}

HRESULT QvCheck::SetValue(long value)
{
    const BYTE stored = (TripleStateOn() && value == Grayed) ? Grayed : (value != 0 ? Checked : Unchecked);
    if (stored == block_.value)
        return S_OK;
    block_.value = stored;
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(ValueDispid);
    PropertyNotifyPoint().SendOnChanged(DISPID_VALUE);
    PropertyNotifyPoint().SendOnChanged(BoundValueDispid);
    Repaint(nullptr);
    short clicked = (stored == Checked && !TripleStateOn()) ? -1 : stored;
    FireEvent(&ClickEvent, &clicked);
    return S_OK;
}

HRESULT QvCheck::get_Value(Constants_CheckBoxValue* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_CheckBoxValue>(ReadValue());
    return S_OK;
}

HRESULT QvCheck::put_Value(Constants_CheckBoxValue value)
{
    return SetValue(value);
}

HRESULT QvCheck::get__Value(long* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = ReadValue();
    return S_OK;
}

HRESULT QvCheck::put__Value(long value)
{
    return SetValue(value);
}

HRESULT QvCheck::get_BoundValue(long* value)
{
    return get__Value(value);
}

HRESULT QvCheck::put_BoundValue(long value)
{
    return SetValue(value);
}

HRESULT QvCheck::get_TripleState(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = TripleStateOn() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT QvCheck::put_TripleState(VARIANT_BOOL value)
{
    if (value == (TripleStateOn() ? VARIANT_TRUE : VARIANT_FALSE))
        return S_OK;
    block_.flags = static_cast<BYTE>((block_.flags & ~CheckStateBlock::TripleState) | (value & 1));
    // The value stays as it is: a grayed box stays grayed.
    PropertyChanged(TripleStateDispid);
    return S_OK;
}

// ---- Behaviour ----

void QvCheck::ReleasePress()
{
    if (!IsEnabled())
        return;
    EndCapture();
    if (PressState() & PressUp) {
        // Released outside the control: no click.
        Repaint(nullptr);
        return;
    }
    SetPressFlags(PressUp, PressPressing);
    put_Value(static_cast<Constants_CheckBoxValue>(block_.value == Unchecked ? Checked : Unchecked));
}

void QvCheck::OnEnabledMnemonic()
{
    put_Value(static_cast<Constants_CheckBoxValue>(block_.value == Unchecked ? Checked : Unchecked));
}

void QvCheck::DrawGlyph(HDC dc, const RECT& rect)
{
    int offset = 0;
    if (!IsEnabled())
        offset = DisabledCells;
    else if ((PressState() & PressPressing) && !(PressState() & PressUp))
        offset = PressedCells;
    DrawGlyphCell(dc, rect, offset, CheckGlyphCells, block_.value, false);
}

LRESULT QvCheck::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CANCELMODE:
        plyx::IQvOptionBase::WindowProc(message, wParam, lParam);
        CancelPress();
        return 0;
    case BM_GETCHECK:
        return block_.value != Unchecked ? 1 : 0;
    case BM_SETCHECK:
        if ((wParam != 0) != (block_.value != Unchecked))
            put_Value(static_cast<Constants_CheckBoxValue>(wParam != 0 ? Checked : Unchecked));
        return 0;
    case WM_LBUTTONDBLCLK:
        Press();
        break;
    default:
        break;
    }
    return plyx::IQvOptionBase::WindowProc(message, wParam, lParam);
}

// ---- Persistence ----

BOOL QvCheck::InitializeNewState()
{
    if (!plyx::IQvOptionBase::InitializeNewState())
        return FALSE;
    block_ = {};
    SetPropertyDefaults(CheckPropertyTable, &block_);
    return TRUE;
}

HRESULT QvCheck::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    HRESULT hr = plyx::IQvOptionBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    // Read wide, so that any stored number is judged before it is narrowed to a byte.
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    block_.value = Unchecked;
    if (SUCCEEDED(bag->Read(L"Value", &value, errorLog)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        block_.value = (value.lVal < Unchecked || value.lVal > Grayed) ? Checked : static_cast<BYTE>(value.lVal);
    VariantClear(&value);
    block_.flags = 0;
    VariantInit(&value);
    value.vt = VT_BOOL;
    if (SUCCEEDED(bag->Read(L"TripleState", &value, errorLog)) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL)) && (value.boolVal & 1))
        block_.flags |= CheckStateBlock::TripleState;
    VariantClear(&value);
    return S_OK;
}

HRESULT QvCheck::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    HRESULT hr = plyx::IQvOptionBase::SaveTextState(bag, saveAll);
    if (SUCCEEDED(hr))
        hr = SavePropertyTable(CheckPropertyTable, bag, saveAll, &block_);
    if (SUCCEEDED(hr) && (saveAll || TripleStateOn())) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BOOL;
        value.boolVal = TripleStateOn() ? VARIANT_TRUE : VARIANT_FALSE;
        hr = bag->Write(L"TripleState", &value);
    }
    return hr;
}

HRESULT QvCheck::LoadBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvOptionBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    CheckStateBlock loaded = {};
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    // A value the control cannot hold loads as checked, as from a property bag.
    if (loaded.value > Grayed)
        loaded.value = Checked;
    block_ = loaded;
    return S_OK;
}

HRESULT QvCheck::SaveBinaryState(IStream* stream)
{
    const HRESULT hr = plyx::IQvOptionBase::SaveBinaryState(stream);
    return FAILED(hr) ? hr : WriteExactly(stream, &block_, sizeof block_);
}
