// The toggle button: its own properties, persistence, window and the toggle on release.
#include "QvRibbon.h"

#include "ButtonPersistence.h"
#include "ButtonWindowClass.h"
#include "ControlCreators.h"
#include "ObjectTableRows.h"
#include "StreamBytes.h"

#include <new>

namespace plyx {

namespace {

const PropertyTableRow RibbonPropertyTable[] = {
    {L"GroupNumber", offsetof(RibbonStateBlock, groupNumber), 1, VT_I2, 2},
    {L"GroupAllowAllUp", offsetof(RibbonStateBlock, groupAllowAllUp), 0xFFFF, VT_BOOL, 2},
    {L"PictureDnChange", offsetof(RibbonStateBlock, pictureDnChange), 1, VT_I2, 2},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

constexpr short LastGroupNumber = 99;
constexpr short LastPictureDnChange = 2;

struct PropertyCategory {
    DISPID dispid;
    PROPCAT category;
};
const PropertyCategory RibbonCategories[] = {
    {QvRibbon::DispidGroupNumber, PROPCAT_Misc},
    {QvRibbon::DispidGroupAllowAllUp, PROPCAT_Behavior},
    {QvRibbon::DispidPictureDnChange, PictureCategory},
    {QvRibbon::DispidPictureUp, PictureCategory},
    {plyx::IQvButtonBase::DispidPictureDnDisabled, PictureCategory},
    {plyx::IQvButtonBase::DispidPictureDnDisabledFrames, PictureCategory},
};

// Stock key and mouse events; the ribbon fires its own Click.
constexpr DWORD RibbonStockEvents = 63;

VARIANT_BOOL BoolOf(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

} // namespace

QvRibbon::QvRibbon(IUnknown* outer)
    : plyx::IQvButtonBase(outer, QvRibbonTableRow, static_cast<::IQvRibbon*>(this), RibbonStockEvents, false)
{
    SetCurrentVersion(CurrentStateVersion);
}

QvRibbon::~QvRibbon() = default;

HRESULT QvRibbon::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IQvRibbon)) {
        AddRef();
        *object = static_cast<::IQvRibbon*>(this);
        return S_OK;
    }
    return plyx::IQvButtonBase::InternalQueryInterface(riid, object);
}

BOOL QvRibbon::InitializeNewState()
{
    plyx::IQvButtonBase::InitializeNewState();
    SetPropertyDefaults(RibbonPropertyTable, &state_);
    state_.flags = 0;
    state_.unused = 0;
    return TRUE;
}

HRESULT QvRibbon::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    for (const PropertyCategory& entry : RibbonCategories)
        if (entry.dispid == dispid) {
            *category = entry.category;
            return S_OK;
        }
    return plyx::IQvButtonBase::MapPropertyToCategory(dispid, category);
}

BOOL QvRibbon::RegisterClassData()
{
    return RegisterButtonWindowClass(ControlRow().windowClassName);
}

// ---- Value ----

STDMETHODIMP QvRibbon::get_Value(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = BoolOf(IsDown());
    return S_OK;
}

STDMETHODIMP QvRibbon::put_Value(VARIANT_BOOL value)
{
    if (SetValue((value & 1) != 0, true, true))
        ValueChanged();
    return S_OK;
}

void QvRibbon::ValueChanged()
{
    SetDrawnUp(!IsDown());
    SetHighlighted(IsDown());
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(DispidValue);
    PropertyNotifyPoint().SendOnChanged(DISPID_VALUE);
    RestartAnimation(true, true);
}

bool QvRibbon::SetValue(bool down, bool fromUser, bool refresh)
{
    if (!down && !IsDown())
        return false;
    if (down) {
        if (IsDown())
            return false;
    } else {
        const bool mayGoUp = state_.groupNumber == 0 || RibbonGroupUpdateInProgress() || !fromUser ||
                             state_.groupAllowAllUp != 0;
        if (!mayGoUp)
            return false;
    }
    if (down)
        state_.flags |= RibbonStateBlock::ValueDown;
    else
        state_.flags &= ~RibbonStateBlock::ValueDown;
    if (refresh)
        RestartAnimation(true, true);
    if (down && !RibbonGroupUpdateInProgress())
        ReleaseGroup(state_.groupNumber);
    FireClickEvent();
    return true;
}

void QvRibbon::OnClickRelease()
{
    if (!(CommonState().flags & CommonStateBlock::Enabled))
        return;
    StopTracking();
    if (!CursorInside())
        return;
    if (IsDown()) {
        // Only a grouped ribbon whose group must keep one button down refuses to go up.
        if (state_.groupNumber != 0 && state_.groupAllowAllUp == 0) {
            Repaint(nullptr);
            return;
        }
        SetDrawnUp(true);
    } else {
        SetDrawnUp(false);
    }
    if (SetValue(!IsDown(), true, IsDown()))
        ValueChanged();
    else
        Repaint(nullptr);
}

// ---- Group properties ----

STDMETHODIMP QvRibbon::get_GroupNumber(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = state_.groupNumber;
    return S_OK;
}

STDMETHODIMP QvRibbon::put_GroupNumber(short value)
{
    if (value < 0 || value > LastGroupNumber)
        return RaiseError(ControlErrorCodes::GroupNumber0To99);
    if (state_.groupNumber == value)
        return S_OK;
    state_.groupNumber = value;
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(DispidGroupNumber);
    if (ControlWindow() != nullptr)
        SetPropA(ControlWindow(), RibbonGroupProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value)));
    // A ribbon joining a group takes the group's rule, and being down it releases the group.
    const int allowAllUp = GetGroupAllowAllUp(value);
    if (allowAllUp != NoGroupAnswer)
        state_.groupAllowAllUp = static_cast<short>(allowAllUp);
    if (IsDown())
        ReleaseGroup(value);
    Repaint(nullptr);
    return S_OK;
}

STDMETHODIMP QvRibbon::get_GroupAllowAllUp(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = state_.groupAllowAllUp;
    return S_OK;
}

STDMETHODIMP QvRibbon::put_GroupAllowAllUp(VARIANT_BOOL value)
{
    if (state_.groupAllowAllUp == value)
        return S_OK;
    state_.groupAllowAllUp = value;
    SetDirty(true);
    if (state_.groupNumber != 0 && !RibbonGroupUpdateInProgress())
        SetGroupAllowAllUp(state_.groupNumber, value);
    PropertyNotifyPoint().SendOnChanged(DispidGroupAllowAllUp);
    return S_OK;
}

STDMETHODIMP QvRibbon::get_PictureDnChange(Constants_PictureDnChange* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_PictureDnChange>(state_.pictureDnChange);
    return S_OK;
}

STDMETHODIMP QvRibbon::put_PictureDnChange(Constants_PictureDnChange value)
{
    if (value < 0 || value > LastPictureDnChange)
        return InvalidValue();
    if (state_.pictureDnChange == value)
        return S_OK;
    state_.pictureDnChange = static_cast<short>(value);
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(DispidPictureDnChange);
    RestartAnimation(true, true);
    return S_OK;
}

// ---- Pictures ----

STDMETHODIMP QvRibbon::get_PictureUp(IPictureDisp** value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    if (DesignMode())
        return RaiseError(ControlErrorCodes::PropertyUnavailableAtDesignTime);
    return get_Picture(value);
}

STDMETHODIMP QvRibbon::put_PictureUp(IPictureDisp* value)
{
    const HRESULT hr = put_Picture(value);
    if (SUCCEEDED(hr))
        PropertyNotifyPoint().SendOnChanged(DispidPictureUp);
    return hr;
}

STDMETHODIMP QvRibbon::putref_PictureUp(IPictureDisp* value)
{
    return put_PictureUp(value);
}

STDMETHODIMP QvRibbon::get_PictureDnDisabled(IPictureDisp** value)
{
    return GetButtonPicture(PictureDnDisabledHolder(), ButtonStateBlock::PictureDnDisabledPresent, value);
}

STDMETHODIMP QvRibbon::put_PictureDnDisabled(IPictureDisp* value)
{
    return PutButtonPicture(PictureDnDisabledHolder(), ButtonStateBlock::PictureDnDisabledPresent,
                            DispidPictureDnDisabled, DispidPictureDnDisabledFrames, value);
}

STDMETHODIMP QvRibbon::putref_PictureDnDisabled(IPictureDisp* value)
{
    return put_PictureDnDisabled(value);
}

STDMETHODIMP QvRibbon::get_PictureDnDisabledFrames(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<short>(ButtonState().pictureDnDisabledFrames);
    return S_OK;
}

STDMETHODIMP QvRibbon::put_PictureDnDisabledFrames(short value)
{
    return PutFrames(&ButtonStateBlock::pictureDnDisabledFrames, ButtonStateBlock::PictureDnDisabledPresent, value,
                     DispidPictureDnDisabledFrames);
}

// ---- Persistence ----

void QvRibbon::ValidateRibbonBlock()
{
    if (state_.groupNumber < 0 || state_.groupNumber > LastGroupNumber)
        state_.groupNumber = 1;
    if (state_.pictureDnChange < 0 || state_.pictureDnChange > LastPictureDnChange)
        state_.pictureDnChange = 1;
    state_.flags &= RibbonStateBlock::ValueDown;
}

void QvRibbon::AfterLoad(bool stream)
{
    ValidateRibbonBlock();
    if (IsDown()) {
        SetDrawnUp(false);
        SetHighlighted(true);
    } else {
        SetDrawnUp(true);
        SetHighlighted(false);
    }
    if (ControlWindow() != nullptr)
        SetPropA(ControlWindow(), RibbonGroupProperty,
                 reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state_.groupNumber)));
    const bool disabledUp = !(CommonState().flags & CommonStateBlock::Enabled) && !IsDown();
    if (stream && (IsDown() || disabledUp))
        RestartAnimation(true, true);
}

HRESULT QvRibbon::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    HRESULT hr = plyx::IQvButtonBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    // The older name of the up picture, taken where the bag has no picture of the common level.
    if (!(CommonState().flags & CommonStateBlock::PicturePresent)) {
        PictureHolder up;
        if (ReadBagPicture(bag, L"PictureUp", errorLog, &up)) {
            IPictureDisp* picture = up.GetPictureDisp();
            put_Picture(picture);
            if (picture != nullptr)
                picture->Release();
        }
    }
    LoadPropertyTable(RibbonPropertyTable, bag, errorLog, &state_);
    state_.flags = ReadBagBool(bag, L"Value", errorLog, false) ? RibbonStateBlock::ValueDown : 0;
    state_.unused = 0;
    AfterLoad(false);
    return S_OK;
}

HRESULT QvRibbon::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    HRESULT hr = plyx::IQvButtonBase::SaveTextState(bag, saveAll);
    if (SUCCEEDED(hr))
        hr = SavePropertyTable(RibbonPropertyTable, bag, saveAll, &state_);
    if (SUCCEEDED(hr) && (saveAll || IsDown()))
        hr = WriteBagBool(bag, L"Value", IsDown());
    return hr;
}

HRESULT QvRibbon::SaveBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvButtonBase::SaveBinaryState(stream);
    if (SUCCEEDED(hr))
        hr = WriteExactly(stream, &state_, sizeof state_);
    return hr;
}

HRESULT QvRibbon::LoadBinaryState(IStream* stream)
{
    HRESULT hr = plyx::IQvButtonBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    RibbonStateBlock loaded = {};
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    state_ = loaded;
    AfterLoad(true);
    return S_OK;
}

// ---- Window ----

BOOL QvRibbon::AfterCreateWindow()
{
    HWND window = ControlWindow();
    if (window != nullptr) {
        SetPropA(window, RibbonGroupProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state_.groupNumber)));
        if (!DesignMode())
            EnableWindow(window, (CommonState().flags & CommonStateBlock::Enabled) != 0);
    }
    return plyx::IQvButtonBase::AfterCreateWindow();
}

void QvRibbon::BeforeDestroyWindow()
{
    if (ControlWindow() != nullptr)
        RemovePropA(ControlWindow(), RibbonGroupProperty);
    plyx::IQvButtonBase::BeforeDestroyWindow();
}

LRESULT QvRibbon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case QVM_SETGROUPVALUE: {
        const bool down = (wParam & 1) != 0;
        if (down == IsDown())
            break;
        // Another member of the group went down: this one goes up, without a Click of its own, but
        // drawn up and kept as a change so that a saved form holds one member down.
        if (down)
            state_.flags |= RibbonStateBlock::ValueDown;
        else
            state_.flags &= ~RibbonStateBlock::ValueDown;
        ValueChanged();
        return 0;
    }
    case QVM_SETGROUPALLOWALLUP:
        state_.groupAllowAllUp = static_cast<short>(LOWORD(wParam));
        Repaint(nullptr);
        return 0;
    case QVM_GETGROUPALLOWALLUP:
        return static_cast<LRESULT>(state_.groupAllowAllUp);
    default:
        break;
    }
    return plyx::IQvButtonBase::WindowProc(message, wParam, lParam);
}

} // namespace plyx

IUnknown* CreateQvRibbon(IUnknown* outer)
{
    plyx::QvRibbon* ribbon = new (std::nothrow) plyx::QvRibbon(outer);
    return ribbon != nullptr ? ribbon->PrivateUnknown() : nullptr;
}
