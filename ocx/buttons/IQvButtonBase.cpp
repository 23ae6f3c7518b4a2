// The button base: construction, a new button's defaults, the button properties with their range
// checks and change notices, and what it tells a property browser.
#include "IQvButtonBase.h"

#include "DefaultButtonLook.h"
#include "DibPalettes.h"
#include "EnumDisplayStrings.h"

namespace plyx {

namespace {

struct PropertyCategory {
    DISPID dispid;
    PROPCAT category;
};
const PropertyCategory ButtonCategories[] = {
    {DISPID_VALUE, PROPCAT_Misc},
    {IQvButtonBase::DispidAlignment, PROPCAT_Appearance},
    {IQvButtonBase::DispidBevelWidth, PROPCAT_Appearance},
    {IQvButtonBase::DispidRoundedCorners, PROPCAT_Appearance},
    {IQvButtonBase::DispidOutline, PROPCAT_Appearance},
    {IQvButtonBase::DispidButtonStyle, PROPCAT_Appearance},
    {DISPID_AUTOSIZE, PROPCAT_Appearance},
    {IQvButtonBase::DispidPictureDn, PictureCategory},
    {IQvButtonBase::DispidPictureDisabled, PictureCategory},
    {IQvButtonBase::DispidPictureAlignment, PictureCategory},
    {IQvButtonBase::DispidPictureDisabledFrames, PictureCategory},
    {IQvButtonBase::DispidPictureDnFrames, PictureCategory},
};

// {C5DC2ED0-56BE-11D0-9B9E-0000C0F04C96}: Constants_Alignment of the type library; the caption takes
// its first nine values.
const GUID AlignmentEnum = {0xC5DC2ED0, 0x56BE, 0x11D0, {0x9B, 0x9E, 0x00, 0x00, 0xC0, 0xF0, 0x4C, 0x96}};
constexpr ULONG CaptionAlignmentCount = 9;

VARIANT_BOOL BoolOf(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

} // namespace

IQvButtonBase::IQvButtonBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask,
                             bool command)
    : IQvBase(outer, row, dispatchInterface, stockEventMask), command_(command)
{
}

IQvButtonBase::~IQvButtonBase() = default;

BOOL IQvButtonBase::InitializeNewState()
{
    IQvBase::InitializeNewState();
    SetPropertyDefaults(ButtonPropertyTable, &button_);
    drawState_ = StateDrawnUp;
    pictureDn_.Release();
    pictureDisabled_.Release();
    pictureDnDisabled_.Release();
    button_.flags = ButtonStateBlock::RoundedCorners | ButtonStateBlock::Outline;
    look_ = GetDefaultButtonLook();
    layoutWanted_ = true;
    return TRUE;
}

// ---- Operations ----

void IQvButtonBase::OnPress()
{
    if (!(CommonState().flags & CommonStateBlock::Enabled))
        return;
    if (!Tracking()) {
        SetCapture(TRUE);
        SetTracking(true);
    }
    drawState_ &= ~StateDrawnUp;
    drawState_ |= StateHighlighted;
    if (command_ && !HasFocus())
        SetFocus(TRUE);
    RestartAnimation(button_.autoSize == 0, true);
}

void IQvButtonBase::FireClickEvent()
{
    if (command_) {
        static const EventDescriptor click = {DispidClick, 0, nullptr};
        FireEvent(&click);
        return;
    }
    static const VARTYPE valueByReference[] = {VT_I2 | VT_BYREF};
    static const EventDescriptor click = {DispidClick, 1, valueByReference};
    short value = IsDown() ? -1 : 0;
    FireEvent(&click, &value);
}

void IQvButtonBase::SetDrawnUp(bool up)
{
    if (up)
        drawState_ |= StateDrawnUp;
    else
        drawState_ &= ~StateDrawnUp;
}

void IQvButtonBase::SetHighlighted(bool on)
{
    if (on)
        drawState_ |= StateHighlighted;
    else
        drawState_ &= ~StateHighlighted;
}

void IQvButtonBase::SetTracking(bool on)
{
    if (on)
        drawState_ |= StateTracking;
    else
        drawState_ &= ~StateTracking;
}

void IQvButtonBase::StopTracking()
{
    if (!Tracking())
        return;
    SetCapture(FALSE);
    SetTracking(false);
}

bool IQvButtonBase::CursorInside()
{
    POINT cursor = {};
    return GetCursorPos(&cursor) && IsCursorInside(cursor);
}

BOOL IQvButtonBase::MouseEnter(short button, short shift, LONG x, LONG y)
{
    const BOOL entered = IQvBase::MouseEnter(button, shift, x, y);
    ButtonMouseEnter();
    return entered;
}

void IQvButtonBase::MouseExit(short button, short shift, LONG x, LONG y)
{
    ButtonMouseExit();
    IQvBase::MouseExit(button, shift, x, y);
}

void IQvButtonBase::ButtonMouseEnter()
{
    SetHighlighted(true);
    if (Tracking()) {
        if (command_ || !IsDown()) {
            SetDrawnUp(false);
            Repaint(nullptr);
        }
    } else if (look_ == LookActive && !IsDown()) {
        Repaint(nullptr);
    }
}

void IQvButtonBase::ButtonMouseExit()
{
    SetHighlighted(false);
    if (Tracking()) {
        const bool held = HasCapture();
        SetTracking(held);
        if (command_ || !IsDown() || !held) {
            SetDrawnUp(true);
            Repaint(nullptr);
        }
    } else if (look_ == LookActive && !IsDown()) {
        Repaint(nullptr);
    }
}

void IQvButtonBase::TrackPressedMouse()
{
    if (!Tracking())
        return;
    const bool inside = CursorInside();
    const bool highlighted = (drawState_ & StateHighlighted) != 0;
    if (inside && !highlighted)
        ButtonMouseEnter();
    else if (!inside && highlighted)
        ButtonMouseExit();
}

// ---- Property browsing ----

HRESULT IQvButtonBase::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    for (const PropertyCategory& entry : ButtonCategories)
        if (entry.dispid == dispid) {
            *category = entry.category;
            return S_OK;
        }
    return IQvBase::MapPropertyToCategory(dispid, category);
}

BOOL IQvButtonBase::GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies)
{
    if (dispid == DispidAlignment)
        return SUCCEEDED(EnumDisplayStrings::GetEnumDisplayStrings(strings, cookies, DescriptorRow(), AlignmentEnum,
                                                                   CaptionAlignmentCount));
    return IQvBase::GetPredefinedStrings(dispid, strings, cookies);
}

BOOL IQvButtonBase::GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value)
{
    if (dispid == DispidAlignment)
        return SUCCEEDED(EnumDisplayStrings::GetEnumPredefinedValue(cookie, value));
    return IQvBase::GetPredefinedValue(dispid, cookie, value);
}

// ---- Properties ----

STDMETHODIMP IQvButtonBase::get_Alignment(Constants_Alignment* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_Alignment>(button_.alignment);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_Alignment(Constants_Alignment value)
{
    if (value < 0 || value > LastCaptionAlignment)
        return InvalidValue();
    if (button_.alignment == value)
        return S_OK;
    button_.alignment = static_cast<BYTE>(value);
    layoutWanted_ = true;
    PropertyChanged(DispidAlignment);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::get_AutoSize(Constants_AutoSizeButton* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_AutoSizeButton>(button_.autoSize);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_AutoSize(Constants_AutoSizeButton value)
{
    if (value < 0 || value > LastAutoSize)
        return InvalidValue();
    if (button_.autoSize == value)
        return S_OK;
    button_.autoSize = static_cast<BYTE>(value);
    layoutWanted_ = true;
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(DISPID_AUTOSIZE);
    if (value != 0)
        ApplyAutoSize();
    Repaint(nullptr);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::get_BevelWidth(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = button_.bevelWidth;
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_BevelWidth(short value)
{
    if (value < 0 || value > LastBevelWidth)
        return RaiseError(ControlErrorCodes::BevelWidth0To10);
    if (button_.bevelWidth == value)
        return S_OK;
    button_.bevelWidth = static_cast<BYTE>(value);
    if (look_ == LookBeveled)
        layoutWanted_ = true;
    PropertyChanged(DispidBevelWidth);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::get_ButtonStyle(Constants_ButtonStyle* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_ButtonStyle>(button_.buttonStyle);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_ButtonStyle(Constants_ButtonStyle value)
{
    if (button_.buttonStyle == value)
        return S_OK;
    if (value < 0 || value > LastButtonStyle)
        return InvalidValue();
    button_.buttonStyle = static_cast<BYTE>(value);
    look_ = value != 0 ? static_cast<BYTE>(value) : GetDefaultButtonLook();
    layoutWanted_ = true;
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(DispidButtonStyle);
    if (button_.autoSize == 2)
        ApplyAutoSize();
    Repaint(nullptr);
    return S_OK;
}

HRESULT IQvButtonBase::PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid)
{
    const bool set = (value & 1) != 0;
    if (!set && !(button_.flags & flag))
        return S_OK;
    if (set)
        button_.flags |= flag;
    else
        button_.flags &= ~flag;
    PropertyChanged(dispid);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::get_Outline(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = BoolOf(button_.flags & ButtonStateBlock::Outline);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_Outline(VARIANT_BOOL value)
{
    return PutFlag(ButtonStateBlock::Outline, value, DispidOutline);
}

STDMETHODIMP IQvButtonBase::get_RoundedCorners(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = BoolOf(button_.flags & ButtonStateBlock::RoundedCorners);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_RoundedCorners(VARIANT_BOOL value)
{
    return PutFlag(ButtonStateBlock::RoundedCorners, value, DispidRoundedCorners);
}

STDMETHODIMP IQvButtonBase::get_PictureAlignment(Constants_Alignment* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_Alignment>(button_.pictureAlignment);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_PictureAlignment(Constants_Alignment value)
{
    if (value < 0 || value > LastPictureAlignment)
        return InvalidValue();
    if (button_.pictureAlignment == value)
        return S_OK;
    button_.pictureAlignment = static_cast<BYTE>(value);
    layoutWanted_ = true;
    PropertyChanged(DispidPictureAlignment);
    return S_OK;
}

// ---- Pictures ----

HRESULT IQvButtonBase::GetButtonPicture(const PictureHolder& holder, BYTE presentFlag, IPictureDisp** value) const
{
    if (value == nullptr)
        return E_POINTER;
    *value = (button_.flags & presentFlag) ? holder.GetPictureDisp() : nullptr;
    return S_OK;
}

HRESULT IQvButtonBase::PutFrames(FrameCount field, BYTE presentFlag, short value, DISPID dispid)
{
    if (value < 0 || (value == 0 && (button_.flags & presentFlag)))
        return InvalidValue();
    if (button_.*field == static_cast<WORD>(value))
        return S_OK;
    button_.*field = static_cast<WORD>(value);
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(dispid);
    RestartAnimation(false, true);
    return S_OK;
}

HRESULT IQvButtonBase::PutButtonPicture(PictureHolder& holder, BYTE presentFlag, DISPID dispid,
                                        DISPID framesDispid, IPictureDisp* value)
{
    const bool present = (button_.flags & presentFlag) != 0;
    if (value == nullptr) {
        if (!present)
            return S_OK;
        holder.Release();
        button_.flags &= ~presentFlag;
    } else {
        ComReference<IPicture> picture;
        HRESULT hr = value->QueryInterface(IID_IPicture, picture.OutVoid());
        if (FAILED(hr))
            return hr;
        short type = PICTYPE_UNINITIALIZED;
        if (FAILED(picture->get_Type(&type)))
            type = PICTYPE_UNINITIALIZED;
        if (type != PICTYPE_NONE && type != PICTYPE_UNINITIALIZED) {
            if (!holder.SetFromDispatch(value))
                return E_OUTOFMEMORY;
            button_.flags |= presentFlag;
        } else {
            // An empty picture clears a present one; onto no picture it changes nothing.
            if (!present)
                return S_OK;
            holder.Release();
            button_.flags &= ~presentFlag;
        }
    }
    // The frame count follows: a new picture shows at least one frame, no picture none.
    const FrameCount frames = dispid == DispidPictureDn         ? &ButtonStateBlock::pictureDnFrames
                              : dispid == DispidPictureDisabled ? &ButtonStateBlock::pictureDisabledFrames
                                                                : &ButtonStateBlock::pictureDnDisabledFrames;
    const bool nowPresent = (button_.flags & presentFlag) != 0;
    if (nowPresent && button_.*frames == 0)
        PutFrames(frames, presentFlag, 1, framesDispid);
    else if (!nowPresent && button_.*frames != 0)
        PutFrames(frames, presentFlag, 0, framesDispid);
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(dispid);
    layoutWanted_ = true;
    RestartAnimation(true, true);
    // On a palette display the picture is matched to the system palette once, here.
    if (nowPresent && ControlWindow() != nullptr) {
        HDC dc = ::GetDC(ControlWindow());
        if (dc != nullptr) {
            if (GetDeviceCaps(dc, NUMCOLORS) > 0)
                MatchPictureToSystemPalette(dc, &holder);
            ::ReleaseDC(ControlWindow(), dc);
        }
    }
    return S_OK;
}

STDMETHODIMP IQvButtonBase::get_PictureDisabled(IPictureDisp** value)
{
    return GetButtonPicture(pictureDisabled_, ButtonStateBlock::PictureDisabledPresent, value);
}

STDMETHODIMP IQvButtonBase::put_PictureDisabled(IPictureDisp* value)
{
    return PutButtonPicture(pictureDisabled_, ButtonStateBlock::PictureDisabledPresent, DispidPictureDisabled,
                            DispidPictureDisabledFrames, value);
}

STDMETHODIMP IQvButtonBase::putref_PictureDisabled(IPictureDisp* value)
{
    return put_PictureDisabled(value);
}

STDMETHODIMP IQvButtonBase::get_PictureDn(IPictureDisp** value)
{
    return GetButtonPicture(pictureDn_, ButtonStateBlock::PictureDnPresent, value);
}

STDMETHODIMP IQvButtonBase::put_PictureDn(IPictureDisp* value)
{
    return PutButtonPicture(pictureDn_, ButtonStateBlock::PictureDnPresent, DispidPictureDn, DispidPictureDnFrames,
                            value);
}

STDMETHODIMP IQvButtonBase::putref_PictureDn(IPictureDisp* value)
{
    return put_PictureDn(value);
}

STDMETHODIMP IQvButtonBase::get_PictureDisabledFrames(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<short>(button_.pictureDisabledFrames);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_PictureDisabledFrames(short value)
{
    return PutFrames(&ButtonStateBlock::pictureDisabledFrames, ButtonStateBlock::PictureDisabledPresent, value,
                     DispidPictureDisabledFrames);
}

STDMETHODIMP IQvButtonBase::get_PictureDnFrames(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<short>(button_.pictureDnFrames);
    return S_OK;
}

STDMETHODIMP IQvButtonBase::put_PictureDnFrames(short value)
{
    return PutFrames(&ButtonStateBlock::pictureDnFrames, ButtonStateBlock::PictureDnPresent, value,
                     DispidPictureDnFrames);
}

// ---- Pictures shown ----

IPicture* IQvButtonBase::CurrentPicture(int* frames) const
{
    const bool enabled = (CommonState().flags & CommonStateBlock::Enabled) != 0;
    const bool up = (drawState_ & StateDrawnUp) != 0;
    const BYTE flags = button_.flags;
    IPicture* picture = nullptr;
    WORD count = 0;
    if (!enabled && !up && !command_ && (flags & ButtonStateBlock::PictureDnDisabledPresent)) {
        picture = pictureDnDisabled_.Picture();
        count = button_.pictureDnDisabledFrames;
    } else if (!enabled && (flags & ButtonStateBlock::PictureDisabledPresent)) {
        picture = pictureDisabled_.Picture();
        count = button_.pictureDisabledFrames;
    } else if (!up && (flags & ButtonStateBlock::PictureDnPresent)) {
        picture = pictureDn_.Picture();
        count = button_.pictureDnFrames;
    } else if (CommonState().flags & CommonStateBlock::PicturePresent) {
        picture = Picture();
        count = CommonState().pictureFrames;
    }
    if (frames != nullptr)
        *frames = count == 0 ? 1 : count;
    return picture;
}

int IQvButtonBase::GetFrameCount() const
{
    int frames = 1;
    CurrentPicture(&frames);
    return frames;
}

bool IQvButtonBase::HasAnimatedPicture() const
{
    IPicture* picture = CurrentPicture(nullptr);
    short type = PICTYPE_NONE;
    return picture != nullptr && SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP;
}

} // namespace plyx
