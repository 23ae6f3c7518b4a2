// The members of the shared interface. A put checks the range first (error 380, nothing changes), a
// value equal to the current one changes nothing, and a change is stored, marks the control dirty,
// is announced to the container's property-notify sinks and redraws the control.
#include "IQvBase.h"

#include "AboutBox.h"
#include "DibPalettes.h"
#include "PictureHolder.h"

#include <climits>

#include <mmsystem.h>

#include <cstring>
#include <cwchar>

namespace plyx {

namespace {

// DISPIDs of the shared members without a standard name.
enum SharedDispid : DISPID {
    FontNameDispid = 1,
    FontSizeDispid = 2,
    FontBoldDispid = 3,
    FontItalicDispid = 4,
    FontStrikethruDispid = 5,
    FontUnderlineDispid = 6,
    Font3DDispid = 9,
    CaptionStyleDispid = 12,
    PictureAnimationDelayDispid = 31,
    MarqueeDelayDispid = 32,
    MarqueeDirectionDispid = 33,
    PictureFramesDispid = 35,
    PictureMaskColorDispid = 36,
    PictureUseMaskDispid = 37,
    TagVariantDispid = 39,
    MarqueeScrollAmountDispid = 46,
    PictureAnimationEnabledDispid = 54,
    MarqueeStyleDispid = 60,
    OleDropModeDispid = 1551,
};

constexpr long LastFont3D = 5;
constexpr long LastCaptionStyle = 1;
constexpr long LastMarqueeDirection = 3;
constexpr long LastMarqueeStyle = 4;
constexpr long LastBackStyle = 1;
constexpr long LastSystemMousePointer = 15;

// The transparency warning is shown once per process.
bool g_transparencySeen = false;

// Text id of the transparency warning and of its caption.
constexpr UINT TransparencyWarningText = 1004;
constexpr UINT TransparencyWarningCaption = 1005;

// The longest caption a stream's 16-bit length field can carry.
constexpr size_t LongestCaption = 32767;

VARIANT_BOOL BoolOf(bool value)
{
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

} // namespace

void IQvBase::PropertyChanged(DISPID dispid, bool redraw)
{
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(dispid);
    if (redraw)
        Repaint(nullptr);
}

HRESULT IQvBase::InvalidValue()
{
    return RaiseError(ControlErrorCodes::InvalidPropertyValue);
}

HRESULT IQvBase::PutByte(BYTE* field, long value, long highest, DISPID dispid, const std::function<void()>& changed)
{
    if (value < 0 || value > highest)
        return InvalidValue();
    if (*field == value)
        return S_OK;
    *field = static_cast<BYTE>(value);
    PropertyChanged(dispid, !changed);
    if (changed)
        changed();
    return S_OK;
}

HRESULT IQvBase::PutCount(WORD* field, short value, short lowest, DISPID dispid, const std::function<void()>& changed)
{
    if (value < lowest)
        return InvalidValue();
    if (*field == static_cast<WORD>(value))
        return S_OK;
    *field = static_cast<WORD>(value);
    PropertyChanged(dispid, !changed);
    if (changed)
        changed();
    return S_OK;
}

HRESULT IQvBase::PutColor(DWORD* field, OLE_COLOR value, DISPID dispid, bool redraw)
{
    if (*field == value)
        return S_OK;
    *field = value;
    PropertyChanged(dispid, redraw);
    return S_OK;
}

HRESULT IQvBase::PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid)
{
    const bool set = (value & 1) != 0;
    if (!set && !(block_.flags & flag))
        return S_OK;
    if (set)
        block_.flags |= flag;
    else
        block_.flags &= ~flag;
    PropertyChanged(dispid);
    return S_OK;
}

HRESULT IQvBase::GetFlag(BYTE flag, VARIANT_BOOL* value) const
{
    if (value == nullptr)
        return E_POINTER;
    *value = BoolOf((block_.flags & flag) != 0);
    return S_OK;
}

// ---- Font ----

HRESULT IQvBase::FontChanged(HRESULT hr, DISPID dispid)
{
    if (FAILED(hr))
        return InvalidValue();
    block_.flags |= CommonStateBlock::FontPresent;
    PropertyChanged(dispid, false);
    CaptionFontChanged();
    RestartMarquee(false);
    return S_OK;
}

STDMETHODIMP IQvBase::get_FontName(BSTR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    return Font() != nullptr ? Font()->get_Name(value) : E_UNEXPECTED;
}

STDMETHODIMP IQvBase::put_FontName(BSTR value)
{
    if (!EnsureFont())
        return InvalidValue();
    BSTR current = nullptr;
    const bool same = SUCCEEDED(Font()->get_Name(&current)) && current != nullptr && value != nullptr &&
                      std::wcscmp(current, value) == 0;
    SysFreeString(current);
    if (same)
        return S_OK;
    return FontChanged(Font()->put_Name(value), FontNameDispid);
}

STDMETHODIMP IQvBase::get_FontSize(float* value)
{
    if (value == nullptr)
        return E_POINTER;
    CY size = {};
    if (Font() == nullptr)
        return E_UNEXPECTED;
    const HRESULT hr = Font()->get_Size(&size);
    *value = SUCCEEDED(hr) ? static_cast<float>(size.int64) / 10000.0f : 0.0f;
    return hr;
}

STDMETHODIMP IQvBase::put_FontSize(float value)
{
    if (!EnsureFont())
        return InvalidValue();
    CY size = {};
    size.int64 = static_cast<LONGLONG>(value * 10000.0f + (value < 0 ? -0.5f : 0.5f));
    CY current = {};
    if (SUCCEEDED(Font()->get_Size(&current)) && current.int64 == size.int64)
        return S_OK;
    return FontChanged(Font()->put_Size(size), FontSizeDispid);
}

#define FONT_BOOL_MEMBER(Property, Member, Dispid)                                       \
    STDMETHODIMP IQvBase::get_Font##Property(VARIANT_BOOL* value)              \
    {                                                                          \
        if (value == nullptr)                                                  \
            return E_POINTER;                                                  \
        BOOL current = FALSE;                                                  \
        if (Font() == nullptr)                                                 \
            return E_UNEXPECTED;                                               \
        const HRESULT hr = Font()->get_##Member(&current);                     \
        *value = BoolOf(SUCCEEDED(hr) && current);                             \
        return hr;                                                             \
    }                                                                          \
    STDMETHODIMP IQvBase::put_Font##Property(VARIANT_BOOL value)               \
    {                                                                          \
        if (!EnsureFont())                                                     \
            return InvalidValue();                                             \
        const BOOL wanted = (value & 1) != 0;                                  \
        BOOL current = FALSE;                                                  \
        if (SUCCEEDED(Font()->get_##Member(&current)) && !current == !wanted)  \
            return S_OK;                                                       \
        return FontChanged(Font()->put_##Member(wanted), Dispid);              \
    }

FONT_BOOL_MEMBER(Bold, Bold, FontBoldDispid)
FONT_BOOL_MEMBER(Italic, Italic, FontItalicDispid)
FONT_BOOL_MEMBER(Strikethru, Strikethrough, FontStrikethruDispid)
FONT_BOOL_MEMBER(Underline, Underline, FontUnderlineDispid)

STDMETHODIMP IQvBase::get_Font(IFontDisp** value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    if (Font() == nullptr)
        return E_UNEXPECTED;
    return Font()->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(value));
}

HRESULT IQvBase::TakeFont(IFontDisp* font)
{
    const HRESULT hr = font_.InitFont(nullptr, font);
    if (FAILED(hr))
        return RaiseError(ControlErrorCodes::InvalidPropertyValue);
    block_.flags |= CommonStateBlock::FontPresent;
    PropertyChanged(DISPID_FONT, false);
    CaptionFontChanged();
    RestartMarquee(false);
    return S_OK;
}

STDMETHODIMP IQvBase::put_Font(IFontDisp* value)
{
    return TakeFont(value);
}

STDMETHODIMP IQvBase::putref_Font(IFontDisp* value)
{
    return TakeFont(value);
}

// ---- Enumerations, counts and colours ----

STDMETHODIMP IQvBase::get_Font3D(Constants_Font3D* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_Font3D>(block_.font3D);
    return S_OK;
}

STDMETHODIMP IQvBase::put_Font3D(Constants_Font3D value)
{
    return PutByte(&block_.font3D, value, LastFont3D, Font3DDispid, [this] { RestartMarquee(false); });
}

STDMETHODIMP IQvBase::get_CaptionStyle(Constants_CaptionStyle* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_CaptionStyle>(block_.captionStyle);
    return S_OK;
}

STDMETHODIMP IQvBase::put_CaptionStyle(Constants_CaptionStyle value)
{
    return PutByte(&block_.captionStyle, value, LastCaptionStyle, CaptionStyleDispid,
                   [this] { RestartMarquee(false); });
}

STDMETHODIMP IQvBase::get_MarqueeDirection(Constants_MarqueeDirection* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_MarqueeDirection>(block_.marqueeDirection);
    return S_OK;
}

STDMETHODIMP IQvBase::put_MarqueeDirection(Constants_MarqueeDirection value)
{
    return PutByte(&block_.marqueeDirection, value, LastMarqueeDirection, MarqueeDirectionDispid,
                   [this] { RestartMarquee(true); });
}

STDMETHODIMP IQvBase::get_MarqueeStyle(Constants_MarqueeStyle* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_MarqueeStyle>(block_.marqueeStyle);
    return S_OK;
}

STDMETHODIMP IQvBase::put_MarqueeStyle(Constants_MarqueeStyle value)
{
    if (value < 0 || value > LastMarqueeStyle)
        return InvalidValue();
    // At run time every put starts the marquee again from the beginning, an equal value included.
    if (block_.marqueeStyle != value) {
        block_.marqueeStyle = static_cast<BYTE>(value);
        PropertyChanged(MarqueeStyleDispid, false);
    } else if (DesignMode()) {
        return S_OK;
    }
    RestartMarquee(true);
    return S_OK;
}

STDMETHODIMP IQvBase::get_OLEDropMode(Constants_OLEDrop* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_OLEDrop>(dragDrop_.GetOLEDropMode());
    return S_OK;
}

STDMETHODIMP IQvBase::put_OLEDropMode(Constants_OLEDrop value)
{
    const HRESULT hr = dragDrop_.PutOLEDropMode(static_cast<short>(value < SHRT_MIN || value > SHRT_MAX ? -1 : value));
    if (FAILED(hr))
        return hr;
    // Every accepted value counts as a change, an equal one included.
    block_.oleDropMode = static_cast<BYTE>(dragDrop_.GetOLEDropMode());
    PropertyChanged(OleDropModeDispid, false);
    return S_OK;
}

STDMETHODIMP IQvBase::OLEDrag()
{
    return dragDrop_.OLEDrag(nullptr);
}

STDMETHODIMP IQvBase::get_MousePointer(Constants_MousePointer* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_MousePointer>(block_.mousePointer);
    return S_OK;
}

STDMETHODIMP IQvBase::put_MousePointer(Constants_MousePointer value)
{
    if (value < 0)
        return InvalidValue();
    const BYTE stored = value > LastSystemMousePointer ? CustomMousePointer : static_cast<BYTE>(value);
    if (block_.mousePointer == stored)
        return S_OK;
    block_.mousePointer = stored;
    PropertyChanged(DISPID_MOUSEPOINTER, false);
    ReevaluateCursor();
    return S_OK;
}

void IQvBase::ReevaluateCursor()
{
    HWND window = ControlWindow();
    POINT cursor = {};
    if (window == nullptr || DesignMode() || !GetCursorPos(&cursor))
        return;
    const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hit, WM_MOUSEMOVE));
}

STDMETHODIMP IQvBase::get_PictureAnimationDelay(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<short>(block_.pictureAnimationDelay);
    return S_OK;
}

STDMETHODIMP IQvBase::put_PictureAnimationDelay(short value)
{
    // The running timer goes, so that the new delay takes effect.
    return PutCount(&block_.pictureAnimationDelay, value, 0, PictureAnimationDelayDispid, [this] {
        if (pictureTimer_ != 0) {
            KillTimer(nullptr, pictureTimer_);
            pictureTimer_ = 0;
        }
        RestartAnimation(false, false);
    });
}

STDMETHODIMP IQvBase::get_MarqueeDelay(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<short>(block_.marqueeDelay);
    return S_OK;
}

STDMETHODIMP IQvBase::put_MarqueeDelay(short value)
{
    return PutCount(&block_.marqueeDelay, value, 0, MarqueeDelayDispid, [this] {
        if (marqueeTimer_ != 0) {
            KillTimer(nullptr, marqueeTimer_);
            marqueeTimer_ = 0;
        }
        RestartMarquee(false);
    });
}

STDMETHODIMP IQvBase::get_MarqueeScrollAmount(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<short>(block_.marqueeScrollAmount);
    return S_OK;
}

STDMETHODIMP IQvBase::put_MarqueeScrollAmount(short value)
{
    return PutCount(&block_.marqueeScrollAmount, value, 1, MarqueeScrollAmountDispid);
}

STDMETHODIMP IQvBase::get_PictureFrames(short* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<short>(block_.pictureFrames);
    return S_OK;
}

STDMETHODIMP IQvBase::put_PictureFrames(short value)
{
    // A picture is always cut into at least one frame.
    if (value == 0 && picture_)
        return InvalidValue();
    return PutCount(&block_.pictureFrames, value, 0, PictureFramesDispid, [this] { RestartAnimation(true, true); });
}

STDMETHODIMP IQvBase::get_PictureMaskColor(OLE_COLOR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.pictureMaskColor;
    return S_OK;
}

STDMETHODIMP IQvBase::put_PictureMaskColor(OLE_COLOR value)
{
    return PutColor(&block_.pictureMaskColor, value, PictureMaskColorDispid,
                    (block_.flags & CommonStateBlock::PictureUseMask) != 0);
}

STDMETHODIMP IQvBase::get_BackColor(OLE_COLOR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.backColor;
    return S_OK;
}

STDMETHODIMP IQvBase::put_BackColor(OLE_COLOR value)
{
    return PutColor(&block_.backColor, value, DISPID_BACKCOLOR, true);
}

STDMETHODIMP IQvBase::get_ForeColor(OLE_COLOR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = block_.foreColor;
    return S_OK;
}

STDMETHODIMP IQvBase::put_ForeColor(OLE_COLOR value)
{
    return PutColor(&block_.foreColor, value, DISPID_FORECOLOR, true);
}

// ---- Flags ----

STDMETHODIMP IQvBase::get_PictureUseMask(VARIANT_BOOL* value)
{
    return GetFlag(CommonStateBlock::PictureUseMask, value);
}

STDMETHODIMP IQvBase::put_PictureUseMask(VARIANT_BOOL value)
{
    return PutFlag(CommonStateBlock::PictureUseMask, value, PictureUseMaskDispid);
}

STDMETHODIMP IQvBase::get_PictureAnimationEnabled(VARIANT_BOOL* value)
{
    return GetFlag(CommonStateBlock::PictureAnimationEnabled, value);
}

STDMETHODIMP IQvBase::put_PictureAnimationEnabled(VARIANT_BOOL value)
{
    const HRESULT hr = PutFlag(CommonStateBlock::PictureAnimationEnabled, value, PictureAnimationEnabledDispid);
    if (SUCCEEDED(hr))
        RestartAnimation(false, false);
    return hr;
}

STDMETHODIMP IQvBase::get_Enabled(VARIANT_BOOL* value)
{
    return GetFlag(CommonStateBlock::Enabled, value);
}

STDMETHODIMP IQvBase::put_Enabled(VARIANT_BOOL value)
{
    const HRESULT hr = PutFlag(CommonStateBlock::Enabled, value, DISPID_ENABLED);
    if (SUCCEEDED(hr) && ControlWindow() != nullptr && !DesignMode())
        EnableWindow(ControlWindow(), (block_.flags & CommonStateBlock::Enabled) != 0);
    if (SUCCEEDED(hr))
        RestartAnimation(false, false);
    return hr;
}

// ---- Tag, caption ----

STDMETHODIMP IQvBase::get_TagVariant(VARIANT* value)
{
    if (value == nullptr)
        return E_POINTER;
    VariantInit(value);
    return VariantCopy(value, &tag_);
}

STDMETHODIMP IQvBase::put_TagVariant(VARIANT value)
{
    VARIANT copy;
    VariantInit(&copy);
    const HRESULT hr = VariantCopyInd(&copy, &value);
    if (FAILED(hr))
        return hr;
    // The same type and an equal value: no change. Whole values are compared (a Decimal is 16 bytes with
    // its sign and scale); a type the comparison does not know always counts as a change.
    if (copy.vt == tag_.vt && (copy.vt == VT_EMPTY || copy.vt == VT_NULL ||
                               (copy.vt != VT_BSTR && VarCmp(&copy, &tag_, LOCALE_USER_DEFAULT, 0) == VARCMP_EQ))) {
        VariantClear(&copy);
        return S_OK;
    }
    VariantClear(&tag_);
    tag_ = copy;
    PropertyChanged(TagVariantDispid, false);
    return S_OK;
}

STDMETHODIMP IQvBase::get_Caption(BSTR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = caption_.AllocSysString();
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP IQvBase::put_Caption(BSTR value)
{
    AnsiString text;
    text.AssignWide(value != nullptr ? value : L"");
    return SetCaption(text);
}

HRESULT IQvBase::SetCaption(const AnsiString& text)
{
    // A stream keeps the caption's length in 16 bits: a longer caption could be set but never saved.
    if (text.Length() > LongestCaption)
        return InvalidValue();
    if (caption_.Compare(text.Text()) == 0)
        return S_OK;
    caption_.AssignCopy(text);
    PropertyChanged(DISPID_CAPTION, false);
    // The accelerators of the new mnemonic.
    if (ControlSite() != nullptr)
        ControlSite()->OnControlInfoChanged();
    RestartMarquee(false);
    return S_OK;
}

// ---- Back style, refresh ----

STDMETHODIMP IQvBase::get_BackStyle(Constants_BackStyle* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_BackStyle>(block_.backStyle);
    return S_OK;
}

STDMETHODIMP IQvBase::put_BackStyle(Constants_BackStyle value)
{
    if (value < 0 || value > LastBackStyle)
        return InvalidValue();
    const bool designMode = DesignMode();
    if (value == 1 && !designMode && (StateFlags() & StateInPlaceActive) && WindowlessSite() == nullptr &&
        ControlWindow() != nullptr && !(GetWindowLongA(ControlWindow(), GWL_EXSTYLE) & WS_EX_TRANSPARENT))
        return RaiseError(ControlErrorCodes::BackStyleTransparentAtRunTime);
    if (block_.backStyle == value)
        return S_OK;
    if (value == 1 && designMode && !g_transparencySeen) {
        g_transparencySeen = true;
        char text[512] = {};
        char caption[128] = {};
        LoadStringA(GetResourceInstance(), TransparencyWarningText, text, sizeof text);
        LoadStringA(GetResourceInstance(), TransparencyWarningCaption, caption, sizeof caption);
        MessageBoxA(nullptr, text, caption, MB_ICONWARNING | MB_TASKMODAL);
    }
    block_.backStyle = static_cast<BYTE>(value);
    ControlRow().opaque = value == 0 ? 1 : 0;
    PropertyChanged(DISPID_BACKSTYLE, false);
    return Refresh();
}

void IQvBase::NoteTransparencySeen()
{
    if (block_.backStyle == 1)
        g_transparencySeen = true;
    ControlRow().opaque = block_.backStyle == 0 ? 1 : 0;
}

STDMETHODIMP IQvBase::Refresh()
{
    paintFlags_ &= ~PaintedOutsideWmPaint;
    HWND window = ControlWindow();
    HWND container = ParentWindow();
    if (!IsTransparent() || window == nullptr || container == nullptr) {
        InvalidateControl(nullptr);
        return S_OK;
    }
    // A transparent control shows what lies under it: that is redrawn first, by the nearest window
    // that draws its own background.
    HWND ancestor = container;
    while (ancestor != nullptr && (GetWindowLongA(ancestor, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
        ancestor = GetParent(ancestor);
    if (ancestor == nullptr) {
        InvalidateControl(nullptr);
        return S_OK;
    }
    RECT area = {};
    GetWindowRect(window, &area);
    MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(ancestor, &area, TRUE);
    return S_OK;
}

// ---- Pictures ----


STDMETHODIMP IQvBase::get_MouseIcon(IPictureDisp** value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    return mouseIcon_ ? mouseIcon_->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(value)) : S_OK;
}

STDMETHODIMP IQvBase::put_MouseIcon(IPictureDisp* value)
{
    short type = PICTYPE_NONE;
    ComReference<IPicture> picture;
    if (value != nullptr && FAILED(value->QueryInterface(IID_IPicture, picture.OutVoid())))
        return InvalidValue();
    if (picture && FAILED(picture->get_Type(&type)))
        return InvalidValue();
    // Only an icon can be a cursor; no picture (or an empty one) clears the icon.
    if (type != PICTYPE_ICON && type != PICTYPE_NONE && type != PICTYPE_UNINITIALIZED)
        return InvalidValue();
    if (type == PICTYPE_ICON) {
        mouseIcon_.Reset();
        *mouseIcon_.Out() = picture.Detach();
        block_.flags |= CommonStateBlock::MouseIconPresent;
    } else {
        mouseIcon_.Reset();
        block_.flags &= ~CommonStateBlock::MouseIconPresent;
    }
    PropertyChanged(DISPID_MOUSEICON, false);
    ReevaluateCursor();
    return S_OK;
}

STDMETHODIMP IQvBase::putref_MouseIcon(IPictureDisp* value)
{
    return put_MouseIcon(value);
}

STDMETHODIMP IQvBase::get_Picture(IPictureDisp** value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    return picture_ ? picture_->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(value)) : S_OK;
}

STDMETHODIMP IQvBase::put_Picture(IPictureDisp* value)
{
    // The new picture is taken whole before anything changes: a refused one leaves the old in place.
    ComReference<IPicture> picture;
    if (value != nullptr && FAILED(value->QueryInterface(IID_IPicture, picture.OutVoid())))
        return InvalidValue();
    if (picture) {
        // On a palette display a bitmap is made again in the system palette's colours.
        HDC screen = ::GetDC(nullptr);
        short type = PICTYPE_NONE;
        if (screen != nullptr && GetDeviceCaps(screen, NUMCOLORS) > 0 && SUCCEEDED(picture->get_Type(&type)) &&
            type == PICTYPE_BITMAP) {
            PictureHolder holder;
            if (holder.SetFromDispatch(picture.Get()) && MatchPictureToSystemPalette(screen, &holder) > 0 &&
                holder.Picture() != nullptr) {
                picture.Reset();
                holder.Picture()->AddRef();
                *picture.Out() = holder.Picture();
            }
        }
        if (screen != nullptr)
            ::ReleaseDC(nullptr, screen);
    }
    const WORD framesBefore = block_.pictureFrames;
    picture_.Reset();
    *picture_.Out() = picture.Detach();
    if (picture_) {
        block_.flags |= CommonStateBlock::PicturePresent;
        if (block_.pictureFrames == 0)
            block_.pictureFrames = 1;
    } else {
        block_.flags &= ~CommonStateBlock::PicturePresent;
        block_.pictureFrames = 0;
    }
    PropertyChanged(DISPID_PICTURE, false);
    RestartAnimation(true, block_.pictureFrames != framesBefore);
    RestartMarquee(false);
    return S_OK;
}

STDMETHODIMP IQvBase::putref_Picture(IPictureDisp* value)
{
    return put_Picture(value);
}

// ---- Window, methods ----

STDMETHODIMP IQvBase::get_hWnd(OLE_HANDLE* value)
{
    if (value == nullptr)
        return E_POINTER;
    // Code that asks for the window handle needs a real window: a windowless control becomes
    // windowed, and the class stays windowed from then on.
    if (WindowlessSite() != nullptr && ControlWindow() == nullptr && !DesignMode()) {
        const LONG verb = (StateFlags() & StateUIActive) ? OLEIVERB_UIACTIVATE : OLEIVERB_INPLACEACTIVATE;
        InPlaceObjectInterface()->InPlaceDeactivate();
        DropUpdateRegion();
        ForgetInPlaceSites();
        ControlRow().windowlessAllowed = 0;
        if (SUCCEEDED(InPlaceActivate(verb)))
            InvalidateControl(nullptr);
    }
    *value = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(ControlWindow()));
    return S_OK;
}

STDMETHODIMP IQvBase::AboutBox()
{
    ShowAboutBox(this);
    return S_OK;
}

STDMETHODIMP IQvBase::PlaySoundFile(VARIANT soundFile)
{
    if (soundFile.vt != VT_BSTR || soundFile.bstrVal == nullptr)
        return S_OK;
    AnsiString name;
    name.AssignWide(soundFile.bstrVal);
    sndPlaySoundA(name.Text(), SND_FILENAME | SND_ASYNC);
    return S_OK;
}

} // namespace plyx
