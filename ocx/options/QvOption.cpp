#include "QvOption.h"

#include "ControlCreators.h"
#include "ControlErrorCodes.h"
#include "EventDescriptor.h"
#include "ObjectTableRows.h"
#include "StreamBytes.h"
#include "StreamString.h"

#include <cstring>
#include <iterator>
#include <new>

namespace {

constexpr DISPID ValueDispid = 11;
constexpr UINT OptionGlyphResource = 108;
constexpr int OptionGlyphCells = 6;
// The glyph cells: not selected, selected; then pressed, then disabled.
constexpr int PressedCells = 2;
constexpr int DisabledCells = 4;
constexpr SHORT Selected = -1;
constexpr SHORT NotSelected = 0;
// KeyDown, KeyPress, KeyUp, MouseDown, MouseMove, MouseUp; Click and DblClick are the control's own.
constexpr DWORD OptionStockEvents = 63;

const VARTYPE ValueParameter[] = {VT_I2 | VT_BYREF};
const EventDescriptor ClickEvent = {22, 1, ValueParameter};
const EventDescriptor DblClickEvent = {23, 1, ValueParameter};

const plyx::PropertyCategoryRow OptionCategories[] = {
    {ValueDispid, PROPCAT_Misc},
    {QvOption::OptionValueDispid, PROPCAT_Misc},
    {plyx::GlyphMaskColorDispid, PictureCategory},
    {plyx::GlyphUseMaskDispid, PictureCategory},
    {plyx::GlyphGraphicsDispid, PictureCategory},
};

const plyx::OptionClassTraits QvOptionTraits = {OptionGlyphCells, OptionGlyphResource, OptionCategories,
                                                std::size(OptionCategories)};

// A value stored as the button shows it: any non-zero value is selected.
SHORT AsSelection(long value)
{
    return value != 0 ? Selected : NotSelected;
}

bool SameText(const AnsiString& text, BSTR wide)
{
    AnsiString other;
    other.AssignWide(wide != nullptr ? wide : L"");
    return text.Length() == other.Length() && std::memcmp(text.Text(), other.Text(), text.Length()) == 0;
}

HRESULT TextOf(const AnsiString& text, BSTR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = AnsiString(text).AllocSysString();
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace

IUnknown* CreateQvOption(IUnknown* outer)
{
    QvOption* control = new (std::nothrow) QvOption(outer);
    return control != nullptr ? control->PrivateUnknown() : nullptr;
}

QvOption::QvOption(IUnknown* outer)
    : plyx::IQvOptionBase(outer, QvOptionTableRow, static_cast<::IQvOption*>(this), OptionStockEvents,
                          QvOptionTraits)
{
}

HRESULT QvOption::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IQvOption)) {
        AddRef();
        *object = static_cast<::IQvOption*>(this);
        return S_OK;
    }
    return plyx::IQvOptionBase::InternalQueryInterface(riid, object);
}


// ---- Value ----

HRESULT QvOption::get_Value(OLE_OPTEXCLUSIVE* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = value_;
    return S_OK;
}

HRESULT QvOption::put_Value(OLE_OPTEXCLUSIVE value)
{
    // Stored as it is drawn, so that the value read and the glyph shown always agree.
    const SHORT stored = AsSelection(value);
    if (stored == value_)
        return S_OK;
    SetDirty(true);
    value_ = stored;
    PropertyNotifyPoint().SendOnChanged(ValueDispid);
    PropertyNotifyPoint().SendOnChanged(DISPID_VALUE);
    Repaint(nullptr);
    if (stored != Selected)
        return S_OK;
    FollowSelection();
    SHORT clicked = Selected;
    FireEvent(&ClickEvent, &clicked);
    return S_OK;
}

HRESULT QvOption::get__Value(OLE_OPTEXCLUSIVE* value)
{
    return get_Value(value);
}

HRESULT QvOption::put__Value(OLE_OPTEXCLUSIVE value)
{
    return put_Value(value);
}

void QvOption::Select(bool selected)
{
    if ((value_ == Selected) == selected)
        return;
    put_Value(selected ? VARIANT_TRUE : VARIANT_FALSE);
}

// ---- Texts ----

HRESULT QvOption::GetOptionValue(BSTR* value)
{
    return TextOf(optionValue_, value);
}

HRESULT QvOption::PutOptionValue(BSTR value)
{
    if (SameText(optionValue_, value))
        return S_OK;
    AnsiString text;
    text.AssignWide(value != nullptr ? value : L"");
    // A saved control must load again: the stream's length field bounds the text.
    if (text.Length() > MaxStreamStringLength)
        return RaiseError(ControlErrorCodes::InvalidPropertyValue);
    optionValue_ = text;
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(OptionValueDispid);
    if (value_ == Selected)
        FollowSelection();
    return S_OK;
}

void QvOption::FollowSelection()
{
    // The bound text takes the selected button's text. Only a bound text set from outside selects or
    // clears the button: following the selection must not clear it again (an empty OptionValue never
    // matches).
    if (boundOptionValue_.Length() == optionValue_.Length() &&
        std::memcmp(boundOptionValue_.Text(), optionValue_.Text(), optionValue_.Length()) == 0)
        return;
    if (!PropertyNotifyPoint().SendOnRequestEdit(BoundOptionValueDispid))
        return;
    boundOptionValue_ = optionValue_;
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(BoundOptionValueDispid);
}

HRESULT QvOption::GetBoundOptionValue(BSTR* value)
{
    return TextOf(boundOptionValue_, value);
}

HRESULT QvOption::PutBoundOptionValue(BSTR value)
{
    if (SameText(boundOptionValue_, value) || !PropertyNotifyPoint().SendOnRequestEdit(BoundOptionValueDispid))
        return S_OK;
    boundOptionValue_.AssignWide(value != nullptr ? value : L"");
    const bool matches = !boundOptionValue_.IsEmpty() && !optionValue_.IsEmpty() &&
                         boundOptionValue_.Compare(optionValue_.Text()) == 0;
    Select(matches);
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(BoundOptionValueDispid);
    return S_OK;
}

// ---- Behaviour ----

void QvOption::ReleasePress()
{
    if (!IsEnabled())
        return;
    EndCapture();
    SetPressFlags(0, PressPressing);
    if (PressState() & PressUp)
        return;
    SetPressFlags(PressUp, 0);
    // Clicking a selected button never deselects it.
    if (value_ == Selected)
        Repaint(nullptr);
    else
        Select(true);
}

void QvOption::OnEnabledMnemonic()
{
    if (value_ == NotSelected)
        Select(true);
}

void QvOption::DrawGlyph(HDC dc, const RECT& rect)
{
    int offset = 0;
    if (!IsEnabled())
        offset = DisabledCells;
    else if ((PressState() & PressPressing) && !(PressState() & PressUp))
        offset = PressedCells;
    DrawGlyphCell(dc, rect, offset, OptionGlyphCells, value_ == Selected ? 1 : 0, true);
}

LRESULT QvOption::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS: {
        const LRESULT result = plyx::IQvOptionBase::WindowProc(message, wParam, lParam);
        // Focus that did not come with a mouse press selects the button once it has arrived.
        if (PressState() & PressUp) {
            if (ControlWindow() != nullptr)
                PostMessageA(ControlWindow(), QVM_SELECTONFOCUS, 0, 0);
            else
                Select(true);
        }
        return result;
    }
    case QVM_SELECTONFOCUS:
        Select(true);
        return 0;
    case WM_CANCELMODE:
        plyx::IQvOptionBase::WindowProc(message, wParam, lParam);
        CancelPress();
        return 0;
    case BM_GETCHECK:
        return value_ != NotSelected ? 1 : 0;
    case BM_SETCHECK:
        if ((wParam != 0) != (value_ != NotSelected))
            put_Value(wParam != 0 ? VARIANT_TRUE : VARIANT_FALSE);
        return 0;
    case WM_LBUTTONDBLCLK: {
        SHORT clicked = value_;
        FireEvent(&DblClickEvent, &clicked);
        // A handler may have closed the control.
        if (ControlWindow() != nullptr && IsWindow(ControlWindow()))
            plyx::IQvOptionBase::WindowProc(message, wParam, lParam);
        return 0;
    }
    default:
        break;
    }
    return plyx::IQvOptionBase::WindowProc(message, wParam, lParam);
}

// ---- Persistence ----

BOOL QvOption::InitializeNewState()
{
    if (!plyx::IQvOptionBase::InitializeNewState())
        return FALSE;
    value_ = NotSelected;
    optionValue_.Clear();
    boundOptionValue_.Clear();
    return TRUE;
}

HRESULT QvOption::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    HRESULT hr = plyx::IQvOptionBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value_ = NotSelected;
    if (SUCCEEDED(bag->Read(L"Value", &value, errorLog)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        value_ = AsSelection(value.lVal);
    VariantClear(&value);
    optionValue_.Clear();
    // A bag that answers nothing leaves the variant as it was handed over: it must hold no text.
    VariantInit(&value);
    value.vt = VT_BSTR;
    if (SUCCEEDED(bag->Read(L"OptionValue", &value, errorLog)) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
        optionValue_.AssignWide(value.bstrVal != nullptr ? value.bstrVal : L"");
        // Text a stream could not hold again is not taken.
        if (optionValue_.Length() > MaxStreamStringLength)
            optionValue_.Clear();
    }
    VariantClear(&value);
    return S_OK;
}

HRESULT QvOption::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    HRESULT hr = plyx::IQvOptionBase::SaveTextState(bag, saveAll);
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(hr) && (saveAll || value_ != NotSelected)) {
        value.vt = VT_I2;
        value.iVal = value_;
        hr = bag->Write(L"Value", &value);
    }
    if (SUCCEEDED(hr) && !optionValue_.IsEmpty()) {
        value.vt = VT_BSTR;
        value.bstrVal = AnsiString(optionValue_).AllocSysString();
        hr = value.bstrVal != nullptr ? bag->Write(L"OptionValue", &value) : E_OUTOFMEMORY;
        VariantClear(&value);
    }
    return hr;
}

HRESULT QvOption::LoadBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvOptionBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    SHORT loaded = 0;
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    AnsiString text;
    hr = ReadStreamString(stream, &text);
    if (FAILED(hr))
        return hr;
    value_ = AsSelection(loaded);
    optionValue_ = text;
    return S_OK;
}

HRESULT QvOption::SaveBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvOptionBase::SaveBinaryState(stream);
    if (SUCCEEDED(hr))
        hr = WriteExactly(stream, &value_, sizeof value_);
    return SUCCEEDED(hr) ? WriteStreamString(stream, optionValue_) : hr;
}
