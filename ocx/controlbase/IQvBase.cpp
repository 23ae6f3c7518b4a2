// The common control base: construction and destruction, its place in the list of live controls, a
// new control's defaults, the window messages every control handles alike, and what it tells a
// property browser.
#include "IQvBase.h"

#include "AboutBox.h"
#include "EnumDisplayStrings.h"
#include "MousePointer.h"
#include "MouseTracking.h"

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
    : BrowsableControl(outer, row, dispatchInterface, stockEventMask),
      supportErrorInfo_(*this),
      oleControl_(*this),
      inPlaceObject_(*this),
      fontSink_(*this),
      font_(nullptr),
      dragDrop_(*this, DragDropManager::DropModeSupported | DragDropManager::AutomaticDropAllowed)
{
    VariantInit(&tag_);
    // The font reports its changes to the control, which lays its caption out again and passes them
    // on to the control layer's sink.
    font_.SetNotifySink(&fontSink_);
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
    DropCachedPalette();
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
    if (SameIid(riid, IID_IOleControl)) {
        oleControl_.AddRef();
        *object = static_cast<IOleControl*>(&oleControl_);
        return S_OK;
    }
    if (SameIid(riid, IID_IOleInPlaceObject) || SameIid(riid, IID_IOleInPlaceObjectWindowless)) {
        inPlaceObject_.AddRef();
        *object = static_cast<IOleInPlaceObjectWindowless*>(&inPlaceObject_);
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
    if (StopTracking())
        MouseTracking::SignalExit();
    KillTimers();
    dragDrop_.RegisterDropTarget(false);
    ControlInstanceList::Remove(listNode_);
    listNode_ = nullptr;
    // Unlisted first: a hook of another thread that found the control under the lock is done with it.
    MouseTracking::EndSession(*this);
    BrowsableControl::BeforeDestroy();
}

void IQvBase::BeforeDestroyWindow()
{
    KillTimers();
    dragDrop_.RegisterDropTarget(false);
    // The window that the host saw the mouse enter goes: the host hears it leave.
    POINT cursor = {};
    if (IsTracking() && GetCursorPos(&cursor))
        ExitAt(cursor);
    StopTracking();
    BrowsableControl::BeforeDestroyWindow();
}

HRESULT IQvBase::OnSetClientSite()
{
    // Without a site there is no host to tell that the mouse left.
    if (ClientSite() == nullptr)
        StopTracking();
    return BrowsableControl::OnSetClientSite();
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

void IQvBase::SetPaintFlag(BYTE flag, bool set)
{
    if (set)
        paintFlags_ |= flag;
    else
        paintFlags_ &= ~flag;
}

void IQvBase::Repaint(const RECT* rect)
{
    if (rect == nullptr || DesignMode()) {
        InvalidateControl(rect);
        return;
    }
    if (ControlWindow() != nullptr) {
        // Drawn at once through the window's own paint path, clipped to the rectangle.
        HDC dc = ::GetDC(ControlWindow());
        if (dc == nullptr)
            return;
        IntersectClipRect(dc, rect->left, rect->top, rect->right, rect->bottom);
        paintFlags_ |= PaintedOutsideWmPaint;
        SendMessageA(ControlWindow(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        ::ReleaseDC(ControlWindow(), dc);
        return;
    }
    if (WindowlessSite() != nullptr) {
        // A windowless control draws where the container shows it.
        HDC dc = GetDC();
        if (dc == nullptr)
            return;
        RECT area = *rect;
        OffsetRect(&area, PositionRect().left, PositionRect().top);
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        const RECTL bounds = {PositionRect().left, PositionRect().top, PositionRect().right, PositionRect().bottom};
        paintFlags_ |= PaintedOutsideWmPaint;
        ViewObjectInterface()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
        ReleaseDC(dc);
        return;
    }
    InvalidateControl(rect);
}

void IQvBase::DropCachedLayout()
{
    SetRectEmpty(&marqueeArea_);
    SetRectEmpty(&textRect_);
    SetRectEmpty(&pictureRect_);
    DropUpdateRegion();
}

// ---- The framework's IOleControl and IOleInPlaceObjectWindowless, with this level's additions ----

namespace {

// The framework's own part for `iid`, beneath this level's.
template <class Interface>
void FrameworkPart(IQvBase& control, REFIID iid, ComReference<Interface>& part)
{
    control.BrowsableControl::InternalQueryInterface(iid, part.OutVoid());
}

} // namespace

HRESULT STDMETHODCALLTYPE IQvBase::OleControlPart::GetControlInfo(CONTROLINFO* info)
{
    ComReference<IOleControl> framework;
    FrameworkPart(control, IID_IOleControl, framework);
    if (!framework)
        return E_UNEXPECTED;
    const HRESULT hr = framework->GetControlInfo(info);
    if (FAILED(hr))
        return hr;
    // A caption without a mnemonic has no accelerators, which the framework's answer already says.
    BuildCaptionAccelerators(info, control.caption_.Text(), info->dwFlags);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE IQvBase::OleControlPart::OnMnemonic(MSG* message)
{
    ComReference<IOleControl> framework;
    FrameworkPart(control, IID_IOleControl, framework);
    return framework ? framework->OnMnemonic(message) : E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE IQvBase::OleControlPart::OnAmbientPropertyChange(DISPID dispid)
{
    ComReference<IOleControl> framework;
    FrameworkPart(control, IID_IOleControl, framework);
    return framework ? framework->OnAmbientPropertyChange(dispid) : E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE IQvBase::OleControlPart::FreezeEvents(BOOL freeze)
{
    ComReference<IOleControl> framework;
    FrameworkPart(control, IID_IOleControl, framework);
    return framework ? framework->FreezeEvents(freeze) : E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::GetWindow(HWND* window)
{
    return control.InPlaceObjectInterface()->GetWindow(window);
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::ContextSensitiveHelp(BOOL enterMode)
{
    return control.InPlaceObjectInterface()->ContextSensitiveHelp(enterMode);
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::InPlaceDeactivate()
{
    return control.InPlaceObjectInterface()->InPlaceDeactivate();
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::UIDeactivate()
{
    return control.InPlaceObjectInterface()->UIDeactivate();
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    if (position != nullptr && !EqualRect(position, &control.PositionRect())) {
        // A new place lays the control out again.
        control.DropCachedLayout();
        control.InvalidateControl(nullptr);
    }
    return control.InPlaceObjectInterface()->SetObjectRects(position, clip);
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::ReactivateAndUndo()
{
    return control.InPlaceObjectInterface()->ReactivateAndUndo();
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                                                      LRESULT* result)
{
    return control.InPlaceObjectInterface()->OnWindowMessage(message, wParam, lParam, result);
}

HRESULT STDMETHODCALLTYPE IQvBase::InPlaceObjectPart::GetDropTarget(IDropTarget** target)
{
    return control.InPlaceObjectInterface()->GetDropTarget(target);
}

HRESULT STDMETHODCALLTYPE IQvBase::FontSinkPart::OnChanged(DISPID dispid)
{
    control.CaptionFontChanged();
    control.RestartMarquee(false);
    ComReference<IPropertyNotifySink> layer;
    FrameworkPart(control, IID_IPropertyNotifySink, layer);
    return layer ? layer->OnChanged(dispid) : S_OK;
}

HRESULT STDMETHODCALLTYPE IQvBase::FontSinkPart::OnRequestEdit(DISPID dispid)
{
    ComReference<IPropertyNotifySink> layer;
    FrameworkPart(control, IID_IPropertyNotifySink, layer);
    return layer ? layer->OnRequestEdit(dispid) : S_OK;
}

LRESULT IQvBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        RestartAnimation(true, true);
        RestartMarquee(true);
        dragDrop_.RegisterDropTarget(true);
        break;
    case WM_SHOWWINDOW:
        dragDrop_.RegisterDropTarget(wParam != 0);
        break;
    case WM_SETFOCUS:
        paintFlags_ |= PaintHasFocus;
        break;
    case WM_KILLFOCUS:
        paintFlags_ &= ~PaintHasFocus;
        break;
    case WM_SETTEXT: {
        // The window text is the caption: set as the Caption property is.
        AnsiString text;
        text.AssignText(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        return SUCCEEDED(SetCaption(text)) ? TRUE : FALSE;
    }
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
        DropCachedPalette();
        if (reinterpret_cast<HWND>(wParam) == ParentWindow() && ControlWindow() != nullptr)
            EnumChildWindows(ControlWindow(), PassPaletteChanged, reinterpret_cast<LPARAM>(ControlWindow()));
        Repaint(nullptr);
        return 0;
    case WM_MOUSEMOVE:
        MouseMoved(lParam);
        FireStockMouseEvents(message, wParam, lParam);
        break;
    default:
        if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK)
            FireStockMouseEvents(message, wParam, lParam);
        break;
    }
    return DefaultWindowProc(message, wParam, lParam);
}

} // namespace plyx
