// The common control base: construction and destruction, its place in the list of live controls, a
// new control's defaults, the window messages every control handles alike, and what it tells a
// property browser.
#include "IQvBase.h"

#include "EnumDisplayStrings.h"
#include "MousePointer.h"

#include <iterator>

namespace plyx {

namespace {

// Property categories of the shared members.
struct PropertyCategory {
    DISPID dispid;
    PROPCAT category;
};
const PropertyCategory SharedCategories[] = {
    {9, PROPCAT_Font},           // Font3D
    {12, PROPCAT_Text},          // CaptionStyle
    {32, PROPCAT_Text},          // MarqueeDelay
    {33, PROPCAT_Text},          // MarqueeDirection
    {46, PROPCAT_Text},          // MarqueeScrollAmount
    {60, PROPCAT_Text},          // MarqueeStyle
    {DISPID_CAPTION, PROPCAT_Text},
    {31, PictureCategory},       // PictureAnimationDelay
    {35, PictureCategory},       // PictureFrames
    {36, PictureCategory},       // PictureMaskColor
    {37, PictureCategory},       // PictureUseMask
    {54, PictureCategory},       // PictureAnimationEnabled
    {DISPID_PICTURE, PictureCategory},
    {39, PROPCAT_Misc},          // TagVariant
    {1551, PROPCAT_Behavior},    // OLEDropMode
    {DISPID_ENABLED, PROPCAT_Behavior},
    {DISPID_BACKSTYLE, PROPCAT_Appearance},
};

constexpr DISPID OleDropModeDispid = 1551;

// {D8898461-742F-11CF-8AEA-00AA00C00905}: the OLEDropMode enumeration of the type library.
const GUID OleDropModeEnum = {0xD8898461, 0x742F, 0x11CF, {0x8A, 0xEA, 0x00, 0xAA, 0x00, 0xC0, 0x09, 0x05}};

// The smallest size a control takes, in pixels.
constexpr LONG SmallestWidth = 11;
constexpr LONG SmallestHeight = 21;

BOOL CALLBACK PassPaletteChanged(HWND child, LPARAM control)
{
    SendMessageA(child, WM_PALETTECHANGED, static_cast<WPARAM>(control), 0);
    return TRUE;
}

} // namespace

IQvBase::IQvBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask)
    : BrowsableControl(outer, row, dispatchInterface, stockEventMask), supportErrorInfo_(*this), font_(nullptr)
{
    VariantInit(&tag_);
    // The font reports its changes to the control's own property-notify sink.
    void* sink = nullptr;
    if (BrowsableControl::InternalQueryInterface(IID_IPropertyNotifySink, &sink) == S_OK) {
        font_.SetNotifySink(static_cast<IPropertyNotifySink*>(sink));
        static_cast<IUnknown*>(sink)->Release();
    }
    listNode_ = ControlInstanceList::Add(this);
}

IQvBase::~IQvBase()
{
    // Normally unlisted by BeforeDestroy; a control that never reached it is unlisted here.
    ControlInstanceList::Remove(listNode_);
    DropUpdateRegion();
    if (offscreenDC_ != nullptr) {
        SelectObject(offscreenDC_, replacedBitmap_);
        DeleteDC(offscreenDC_);
    }
    if (offscreenBitmap_ != nullptr)
        DeleteObject(offscreenBitmap_);
    VariantClear(&tag_);
}

HRESULT IQvBase::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_ISupportErrorInfo)) {
        supportErrorInfo_.AddRef();
        *object = static_cast<ISupportErrorInfo*>(&supportErrorInfo_);
        return S_OK;
    }
    return BrowsableControl::InternalQueryInterface(riid, object);
}

HRESULT STDMETHODCALLTYPE IQvBase::SupportErrorInfoPart::InterfaceSupportsErrorInfo(REFIID riid)
{
    return control.InterfaceSupportsErrorInfo(riid);
}

void IQvBase::BeforeDestroy()
{
    font_.ReleaseFont();
    ControlInstanceList::Remove(listNode_);
    listNode_ = nullptr;
    BrowsableControl::BeforeDestroy();
}

BOOL IQvBase::InitializeNewState()
{
    SetPropertyDefaults(CommonPropertyTable, &block_);
    block_.flags = CommonStateBlock::Enabled | CommonStateBlock::PictureAnimationEnabled;
    paintFlags_ |= PaintPaletteChanged;
    mouseIcon_.Reset();
    picture_.Reset();
    caption_.Clear();
    BSTR displayName = nullptr;
    if (GetAmbientProperty(DISPID_AMBIENT_DISPLAYNAME, VT_BSTR, &displayName)) {
        caption_.AssignWide(displayName);
        SysFreeString(displayName);
    }
    SetFontFromAmbient();
    if (Font() == nullptr)
        font_.InitFont(nullptr, nullptr);
    VariantClear(&tag_);
    InvalidateControl(nullptr);
    return TRUE;
}

bool IQvBase::HasAnimatedPicture() const
{
    short type = PICTYPE_NONE;
    return picture_ && SUCCEEDED(picture_->get_Type(&type)) && type == PICTYPE_BITMAP;
}

void IQvBase::SetFontFromAmbient()
{
    IFont* ambient = nullptr;
    if (GetAmbientFont(&ambient)) {
        font_.InitFont(nullptr, ambient);
        ambient->Release();
    }
}

bool IQvBase::EnsureFont()
{
    if (Font() == nullptr) {
        SetFontFromAmbient();
        if (Font() == nullptr)
            font_.InitFont(nullptr, nullptr);
    }
    return Font() != nullptr;
}

void IQvBase::AmbientPropertyChanged(DISPID dispid)
{
    // A control without a font of its own takes the container's font over as its own.
    if (dispid == DISPID_AMBIENT_FONT && !(block_.flags & CommonStateBlock::FontPresent))
        block_.flags |= CommonStateBlock::FontPresent;
    BrowsableControl::AmbientPropertyChanged(dispid);
}

BOOL IQvBase::OnSetExtent(SIZEL* pixels)
{
    if (pixels->cx < SmallestWidth)
        pixels->cx = SmallestWidth;
    if (pixels->cy < SmallestHeight)
        pixels->cy = SmallestHeight;
    return BrowsableControl::OnSetExtent(pixels);
}

BOOL IQvBase::OnGetPalette(HDC, LOGPALETTE**)
{
    return FALSE;
}

HRESULT IQvBase::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    for (const PropertyCategory& entry : SharedCategories)
        if (entry.dispid == dispid) {
            *category = entry.category;
            return S_OK;
        }
    return BrowsableControl::MapPropertyToCategory(dispid, category);
}

BOOL IQvBase::GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies)
{
    if (dispid == OleDropModeDispid)
        return SUCCEEDED(EnumDisplayStrings::GetEnumDisplayStrings(strings, cookies, DescriptorRow(),
                                                                   OleDropModeEnum, 0));
    return BrowsableControl::GetPredefinedStrings(dispid, strings, cookies);
}

BOOL IQvBase::GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value)
{
    if (dispid == OleDropModeDispid)
        return SUCCEEDED(EnumDisplayStrings::GetEnumPredefinedValue(cookie, value));
    return BrowsableControl::GetPredefinedValue(dispid, cookie, value);
}

void IQvBase::Repaint(const RECT* rect)
{
    InvalidateControl(rect);
}

LRESULT IQvBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        paintFlags_ |= PaintHasFocus;
        break;
    case WM_KILLFOCUS:
        paintFlags_ &= ~PaintHasFocus;
        break;
    case WM_SETTEXT:
        caption_.AssignText(reinterpret_cast<const char*>(lParam));
        SetDirty(true);
        PropertyNotifyPoint().SendOnChanged(DISPID_CAPTION);
        return 0;
    case WM_QUERYNEWPALETTE:
        return 0;
    case WM_SETCURSOR:
        if (!DesignMode() && SetMousePointerCursor(block_.mousePointer, mouseIcon_.Get(), LOWORD(lParam)))
            return 1;
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (FireStockKeyEvents(message, wParam, lParam))
            return 0;
        break;
    case WM_PALETTECHANGED:
        paintFlags_ |= PaintPaletteChanged;
        if (reinterpret_cast<HWND>(wParam) == ParentWindow() && ControlWindow() != nullptr)
            EnumChildWindows(ControlWindow(), PassPaletteChanged, reinterpret_cast<LPARAM>(ControlWindow()));
        Repaint(nullptr);
        return 0;
    default:
        if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK)
            FireStockMouseEvents(message, wParam, lParam);
        break;
    }
    return DefaultWindowProc(message, wParam, lParam);
}

} // namespace plyx
