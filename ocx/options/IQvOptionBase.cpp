// The check/option base: construction, the alignment and glyph properties, the press protocol and
// the window messages the two state controls share, and the property categories.
#include "IQvOptionBase.h"

#include "ControlErrorCodes.h"
#include "Module.h"

#include <iterator>

namespace plyx {

namespace {

constexpr DISPID AlignmentDispid = 7;
constexpr DISPID PictureAlignmentDispid = 40;

const PropertyCategoryRow OptionCategories[] = {
    {AlignmentDispid, PROPCAT_Appearance},
    {PictureAlignmentDispid, PictureCategory},
};

// The row of `dispid` in the table, or null.
const PropertyCategoryRow* FindCategory(const PropertyCategoryRow* rows, size_t count, DISPID dispid)
{
    for (size_t i = 0; i < count; ++i)
        if (rows[i].dispid == dispid)
            return &rows[i];
    return nullptr;
}

} // namespace

IQvOptionBase::IQvOptionBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask,
                             const OptionClassTraits& traits)
    : IQvBase(outer, row, dispatchInterface, stockEventMask), mnemonic_(*this), traits_(traits)
{
    SetCurrentVersion(CurrentStateVersion);
    // Loaded and new controls alike draw the built-in strip.
    if (!builtInGlyph_.LoadBitmapResource(traits_.glyphResource))
        builtInGlyph_.CreateEmpty();
}

IQvOptionBase::~IQvOptionBase() = default;

HRESULT IQvOptionBase::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IOleControl)) {
        mnemonic_.AddRef();
        *object = static_cast<IOleControl*>(&mnemonic_);
        return S_OK;
    }
    return IQvBase::InternalQueryInterface(riid, object);
}

HRESULT IQvOptionBase::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    const PropertyCategoryRow* row = FindCategory(traits_.categories, traits_.categoryCount, dispid);
    if (row == nullptr)
        row = FindCategory(OptionCategories, std::size(OptionCategories), dispid);
    if (row == nullptr)
        return IQvBase::MapPropertyToCategory(dispid, category);
    *category = row->category;
    return S_OK;
}

BOOL IQvOptionBase::OnGetPalette(HDC, LOGPALETTE**)
{
    return FALSE;
}

void IQvOptionBase::ForgetLayout()
{
    SetRectEmpty(&layout_.glyph);
    SetRectEmpty(&layout_.picture);
    SetRectEmpty(&layout_.caption);
}

// ---- Properties ----

HRESULT IQvOptionBase::get_Alignment(Constants_AlignTo* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_AlignTo>(optionBlock_.alignment);
    return S_OK;
}

HRESULT IQvOptionBase::put_Alignment(Constants_AlignTo value)
{
    if (static_cast<int>(value) < GlyphLeftTextRight || static_cast<int>(value) > GlyphRightTextLeft)
        return InvalidValue();
    if (value == optionBlock_.alignment)
        return S_OK;
    optionBlock_.alignment = static_cast<BYTE>(value);
    ForgetLayout();
    PropertyChanged(AlignmentDispid);
    return S_OK;
}

HRESULT IQvOptionBase::get_PictureAlignment(Constants_PictureAlignment* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_PictureAlignment>(optionBlock_.pictureAlignment);
    return S_OK;
}

HRESULT IQvOptionBase::put_PictureAlignment(Constants_PictureAlignment value)
{
    if (static_cast<int>(value) < PictureLeftOfCaption || static_cast<int>(value) > PictureJustified)
        return InvalidValue();
    if (value == optionBlock_.pictureAlignment)
        return S_OK;
    optionBlock_.pictureAlignment = static_cast<BYTE>(value);
    ForgetLayout();
    SetDirty(true);
    PropertyNotifyPoint().SendOnChanged(PictureAlignmentDispid);
    // Picture and caption are laid out anew, with their animation and marquee started again.
    RestartAnimation(true, false);
    RestartMarquee(true);
    return S_OK;
}

HRESULT IQvOptionBase::get_MaskColor(OLE_COLOR* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = optionBlock_.maskColor;
    return S_OK;
}

HRESULT IQvOptionBase::put_MaskColor(OLE_COLOR value)
{
    if (value == optionBlock_.maskColor)
        return S_OK;
    optionBlock_.maskColor = value;
    PropertyChanged(GlyphMaskColorDispid, (optionBlock_.flags & OptionStateBlock::GraphicsUseMask) != 0);
    return S_OK;
}

HRESULT IQvOptionBase::get_UseMask(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = (optionBlock_.flags & OptionStateBlock::GraphicsUseMask) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT IQvOptionBase::put_UseMask(VARIANT_BOOL value)
{
    const bool set = (value & 1) != 0;
    if (set == ((optionBlock_.flags & OptionStateBlock::GraphicsUseMask) != 0))
        return S_OK;
    if (set)
        optionBlock_.flags |= OptionStateBlock::GraphicsUseMask;
    else
        optionBlock_.flags &= ~OptionStateBlock::GraphicsUseMask;
    PropertyChanged(GlyphUseMaskDispid);
    return S_OK;
}

HRESULT IQvOptionBase::get_Graphics(IPictureDisp** value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = (optionBlock_.flags & OptionStateBlock::GraphicsPresent) ? graphics_.GetPictureDisp() : nullptr;
    return S_OK;
}

HRESULT IQvOptionBase::put_Graphics(IPictureDisp* value)
{
    const HRESULT hr = SetGraphics(value);
    if (hr != S_OK)
        return hr == S_FALSE ? S_OK : hr;
    SetRectEmpty(&layout_.glyph);
    PropertyChanged(GlyphGraphicsDispid);
    return S_OK;
}

// S_FALSE: nothing changed.
HRESULT IQvOptionBase::SetGraphics(IPictureDisp* value)
{
    const bool present = (optionBlock_.flags & OptionStateBlock::GraphicsPresent) != 0;
    short type = PICTYPE_NONE;
    if (value != nullptr) {
        ComReference<IPicture> picture;
        const HRESULT hr = value->QueryInterface(IID_IPicture, picture.OutVoid());
        if (FAILED(hr))
            return hr;
        if (FAILED(picture->get_Type(&type)))
            type = PICTYPE_NONE;
    }
    if (type == PICTYPE_NONE || type == PICTYPE_UNINITIALIZED) {
        // An empty picture takes the place of the glyph picture.
        if (value == nullptr ? !present : (graphics_.GetType() == type))
            return S_FALSE;
        graphics_.CreateEmpty();
        optionBlock_.flags &= ~OptionStateBlock::GraphicsPresent;
        return S_OK;
    }
    if (!graphics_.SetFromDispatch(value))
        return E_NOINTERFACE;
    optionBlock_.flags |= OptionStateBlock::GraphicsPresent;
    return S_OK;
}

// ---- Press protocol ----

void IQvOptionBase::Press()
{
    if (!IsEnabled())
        return;
    if (!(pressState_ & PressCaptured)) {
        SetCapture(TRUE);
        SetPressFlags(PressCaptured, PressOutside);
    }
    SetPressFlags(PressPressing, PressUp);
    if (!HasFocus())
        SetFocus(TRUE);
    Repaint(nullptr);
}

void IQvOptionBase::EndCapture()
{
    if (pressState_ & PressCaptured) {
        SetCapture(FALSE);
        SetPressFlags(0, PressCaptured);
    }
}

void IQvOptionBase::CancelPress()
{
    SetPressFlags(PressUp, PressCaptured | PressOutside);
}

void IQvOptionBase::TrackPressingPointer(LPARAM lParam)
{
    if (!HasCapture()) {
        // Another window took the capture: the press ends without action.
        SetPressFlags(PressUp, PressCaptured | PressOutside | PressPressing);
    }
    RECT client;
    GetClientRectangle(&client);
    const POINT point = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    const bool inside = PtInRect(&client, point) != FALSE;
    if (inside && (pressState_ & PressOutside)) {
        SetPressFlags(0, PressUp);
        Repaint(nullptr);
        SetPressFlags(0, PressOutside);
    } else if (!inside && !(pressState_ & PressOutside)) {
        SetPressFlags(PressUp, 0);
        Repaint(nullptr);
        SetPressFlags(PressOutside, 0);
    }
}

// ---- Window ----

LRESULT IQvOptionBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = IQvBase::WindowProc(message, wParam, lParam);
        Repaint(nullptr);
        return result;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            Press();
        IQvBase::WindowProc(message, wParam, lParam);
        return 0;
    case WM_KEYUP:
        IQvBase::WindowProc(message, wParam, lParam);
        if (wParam == VK_SPACE)
            ReleasePress();
        return 0;
    case WM_MOUSEMOVE:
        if (pressState_ & PressCaptured)
            TrackPressingPointer(lParam);
        break;
    case WM_LBUTTONDOWN:
        Press();
        IQvBase::WindowProc(message, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        ReleasePress();
        IQvBase::WindowProc(message, wParam, lParam);
        return 0;
    default:
        break;
    }
    return IQvBase::WindowProc(message, wParam, lParam);
}

BOOL IQvOptionBase::BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, char* title)
{
    if (DesignMode() || IsTransparent())
        *extendedStyle |= WS_EX_TRANSPARENT;
    return IQvBase::BeforeCreateWindow(style, extendedStyle, title);
}

BOOL IQvOptionBase::AfterCreateWindow()
{
    if (DesignMode()) {
        HWND outer = GetOuterWindow();
        if (outer != nullptr)
            SetWindowLongA(outer, GWL_STYLE, GetWindowLongA(outer, GWL_STYLE) & ~WS_CLIPCHILDREN);
    } else if (ControlWindow() != nullptr) {
        EnableWindow(ControlWindow(), IsEnabled());
    }
    return IQvBase::AfterCreateWindow();
}

BOOL IQvOptionBase::RegisterClassData()
{
    WNDCLASSA windowClass = {};
    // Double clicks reach the controls as such.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = OleControl::ControlWindowProc;
    windowClass.hInstance = Module::Instance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ControlRow().windowClassName;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// ---- IOleControl ----

IOleControl* IQvOptionBase::MnemonicPart::Framework()
{
    void* framework = nullptr;
    if (FAILED(control.IQvBase::InternalQueryInterface(IID_IOleControl, &framework)))
        return nullptr;
    return static_cast<IOleControl*>(framework);
}

HRESULT STDMETHODCALLTYPE IQvOptionBase::MnemonicPart::GetControlInfo(CONTROLINFO* info)
{
    ComReference<IOleControl> framework(Framework());
    return framework ? framework->GetControlInfo(info) : E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE IQvOptionBase::MnemonicPart::OnMnemonic(MSG* message)
{
    ComReference<IOleControl> framework(Framework());
    const HRESULT hr = framework ? framework->OnMnemonic(message) : E_UNEXPECTED;
    // A disabled control does not answer its mnemonic.
    if (control.IsEnabled())
        control.OnEnabledMnemonic();
    return hr;
}

HRESULT STDMETHODCALLTYPE IQvOptionBase::MnemonicPart::OnAmbientPropertyChange(DISPID dispid)
{
    ComReference<IOleControl> framework(Framework());
    return framework ? framework->OnAmbientPropertyChange(dispid) : E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE IQvOptionBase::MnemonicPart::FreezeEvents(BOOL freeze)
{
    ComReference<IOleControl> framework(Framework());
    return framework ? framework->FreezeEvents(freeze) : E_UNEXPECTED;
}

} // namespace plyx
