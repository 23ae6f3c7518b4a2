// The frame/panel base: its defaults, its persisted level (two bytes and the background picture),
// the window styles of a simple frame, its window messages, its palette and its property categories.
#include "IQvFrameBase.h"

#include "Module.h"
#include "StreamBytes.h"

namespace plyx {

namespace {

constexpr DISPID PictureBackgroundDispid = 56;
constexpr DISPID PictureBackgroundStyleDispid = 61;
constexpr DISPID ClipControlsDispid = 63;

PropertyTableRow FrameBasePropertyTable[] = {
    {L"PictureBackgroundStyle", 0, CenteredBackground, VT_I2, 1},
    {nullptr, 0, 0, VT_EMPTY, 0},
};

// A stored level whose values a put would refuse takes the defaults for them.
void ValidateFrameBlock(FrameBaseBlock* block)
{
    if (block->pictureBackgroundStyle > TiledBackground)
        block->pictureBackgroundStyle = CenteredBackground;
    block->frameFlags &= FrameBaseBlock::PictureBackgroundPresent | FrameBaseBlock::ClipControls;
}

HRESULT ReadBagValue(IPropertyBag* bag, const wchar_t* name, VARTYPE type, IErrorLog* errorLog, VARIANT* value)
{
    VariantInit(value);
    value->vt = type;
    HRESULT hr = bag->Read(name, value, errorLog);
    if (SUCCEEDED(hr) && value->vt != type)
        hr = VariantChangeType(value, value, 0, type);
    if (FAILED(hr))
        VariantClear(value);
    return hr;
}

} // namespace

IQvFrameBase::IQvFrameBase(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask)
    : IQvBase(outer, row, dispatchInterface, stockEventMask)
{
    frameBlock_.frameFlags = FrameBaseBlock::ClipControls;
}

IQvFrameBase::~IQvFrameBase()
{
    DiscardBackgroundCache();
}

bool IQvFrameBase::HasPictureBackground() const
{
    const short type = pictureBackground_.GetType();
    return (frameBlock_.frameFlags & FrameBaseBlock::PictureBackgroundPresent) && type != NoPicture &&
           type != UninitializedPicture;
}

BOOL IQvFrameBase::InitializeNewState()
{
    const BOOL done = IQvBase::InitializeNewState();
    SetPropertyDefaults(FrameBasePropertyTable, &frameBlock_);
    DiscardBackgroundCache();
    redrawGuard_ = false;
    pictureBackground_.CreateEmpty();
    frameBlock_.frameFlags = FrameBaseBlock::ClipControls;
    return done;
}

// ---- Persistence ----

HRESULT IQvFrameBase::LoadTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    HRESULT hr = IQvBase::LoadTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    LoadPropertyTable(FrameBasePropertyTable, bag, errorLog, &frameBlock_);
    frameBlock_.frameFlags = 0;
    VARIANT value;
    if (FAILED(ReadBagValue(bag, L"ClipControls", VT_BOOL, errorLog, &value)) || value.boolVal & 1)
        frameBlock_.frameFlags |= FrameBaseBlock::ClipControls;
    DiscardBackgroundCache();
    pictureBackground_.CreateEmpty();
    if (SUCCEEDED(ReadBagValue(bag, L"PictureBackground", VT_UNKNOWN, errorLog, &value))) {
        ComReference<IPictureDisp> picture;
        if (value.punkVal != nullptr &&
            SUCCEEDED(value.punkVal->QueryInterface(IID_IPictureDisp, picture.OutVoid())) &&
            pictureBackground_.SetFromDispatch(picture.Get()))
            frameBlock_.frameFlags |= FrameBaseBlock::PictureBackgroundPresent;
        VariantClear(&value);
    }
    ValidateFrameBlock(&frameBlock_);
    return S_OK;
}

HRESULT IQvFrameBase::SaveTextState(IPropertyBag* bag, BOOL saveAll)
{
    HRESULT hr = IQvBase::SaveTextState(bag, saveAll);
    if (SUCCEEDED(hr))
        hr = SavePropertyTable(FrameBasePropertyTable, bag, saveAll, &frameBlock_);
    const bool clip = (frameBlock_.frameFlags & FrameBaseBlock::ClipControls) != 0;
    if (SUCCEEDED(hr) && (saveAll || !clip)) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BOOL;
        value.boolVal = clip ? VARIANT_TRUE : VARIANT_FALSE;
        hr = bag->Write(L"ClipControls", &value);
    }
    if (SUCCEEDED(hr) && HasPictureBackground()) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_UNKNOWN;
        value.punkVal = pictureBackground_.Picture();
        hr = bag->Write(L"PictureBackground", &value);
    }
    return hr;
}

HRESULT IQvFrameBase::SaveBinaryState(IStream* stream)
{
    HRESULT hr = IQvBase::SaveBinaryState(stream);
    if (FAILED(hr))
        return hr;
    // The present bit is stored only with the picture it announces.
    FrameBaseBlock stored = frameBlock_;
    if (!HasPictureBackground())
        stored.frameFlags &= ~FrameBaseBlock::PictureBackgroundPresent;
    hr = WriteExactly(stream, &stored, sizeof stored);
    if (FAILED(hr) || !(stored.frameFlags & FrameBaseBlock::PictureBackgroundPresent))
        return hr;
    ComReference<IPersistStream> persist;
    hr = pictureBackground_.Picture()->QueryInterface(IID_IPersistStream, persist.OutVoid());
    return SUCCEEDED(hr) ? persist->Save(stream, TRUE) : hr;
}

HRESULT IQvFrameBase::LoadBinaryState(IStream* stream)
{
    HRESULT hr = IQvBase::LoadBinaryState(stream);
    if (FAILED(hr))
        return hr;
    FrameBaseBlock loaded = {};
    hr = ReadExactly(stream, &loaded, sizeof loaded);
    if (FAILED(hr))
        return hr;
    ValidateFrameBlock(&loaded);
    frameBlock_ = loaded;
    DiscardBackgroundCache();
    pictureBackground_.CreateEmpty();
    if (!(frameBlock_.frameFlags & FrameBaseBlock::PictureBackgroundPresent))
        return S_OK;
    // The picture object reads its own persistent form.
    ComReference<IPersistStream> persist;
    hr = pictureBackground_.Picture() != nullptr
             ? pictureBackground_.Picture()->QueryInterface(IID_IPersistStream, persist.OutVoid())
             : E_OUTOFMEMORY;
    if (SUCCEEDED(hr))
        hr = persist->Load(stream);
    if (FAILED(hr)) {
        pictureBackground_.CreateEmpty();
        frameBlock_.frameFlags &= ~FrameBaseBlock::PictureBackgroundPresent;
    }
    return hr;
}

// ---- Windows ----

BOOL IQvFrameBase::BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, char* title)
{
    const BOOL create = IQvBase::BeforeCreateWindow(style, extendedStyle, title);
    const bool design = DesignMode();
    if (design || IsTransparent())
        *extendedStyle |= WS_EX_TRANSPARENT;
    if (!design && (frameBlock_.frameFlags & FrameBaseBlock::ClipControls))
        *style |= WS_CLIPCHILDREN;
    return create;
}

BOOL IQvFrameBase::AfterCreateWindow()
{
    const BOOL created = IQvBase::AfterCreateWindow();
    if (DesignMode()) {
        // At design time the controls inside are drawn over by the frame's own paint.
        const HWND outer = GetOuterWindow();
        if (outer != nullptr)
            SetWindowLongPtrA(outer, GWL_STYLE, GetWindowLongPtrA(outer, GWL_STYLE) & ~WS_CLIPCHILDREN);
    } else if (ControlWindow() != nullptr) {
        EnableWindow(ControlWindow(), (CommonState().flags & CommonStateBlock::Enabled) != 0);
    }
    return created;
}

BOOL IQvFrameBase::RegisterFrameWindowClass(const char* name)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = OleControl::ControlWindowProc;
    windowClass.hInstance = Module::Instance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void IQvFrameBase::SetClipChildren(bool clip)
{
    const HWND window = ControlWindow();
    if (window == nullptr)
        return;
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    style = clip ? (style | WS_CLIPCHILDREN) : (style & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN));
    SetWindowLongPtrA(window, GWL_STYLE, style);
}

LRESULT IQvFrameBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        // The paint covers the whole control.
        return 1;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) {
            // What shows through a transparent frame changes with the controls placed in it.
            if (IsTransparent())
                Repaint(nullptr);
            return 0;
        }
        break;
    case WM_QUERYNEWPALETTE: {
        HPALETTE palette = nullptr;
        return BackgroundPalette(&palette) ? 1 : 0;
    }
    default:
        break;
    }
    return IQvBase::WindowProc(message, wParam, lParam);
}

BOOL IQvFrameBase::PreSimpleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT || wParam != 0)
        return IQvBase::PreSimpleFrameMessage(window, message, wParam, lParam);
    IQvBase::BeforePaint(nullptr);
    // A transparent frame at design time: what lies under the invalid part is painted first, at once,
    // by the container's window, so that the frame draws over an up-to-date background.
    if (DesignMode() && IsTransparent() && !redrawGuard_ && ControlWindow() != nullptr && ParentWindow() != nullptr) {
        redrawGuard_ = true;
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        if (region != nullptr) {
            const int kind = GetUpdateRgn(ControlWindow(), region, FALSE);
            if (kind != ERROR && kind != NULLREGION) {
                POINT origin = {0, 0};
                MapWindowPoints(ControlWindow(), ParentWindow(), &origin, 1);
                OffsetRgn(region, origin.x, origin.y);
                RedrawWindow(ParentWindow(), nullptr, region, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            }
            DeleteObject(region);
        }
        redrawGuard_ = false;
    }
    return FALSE;
}

// ---- Palette and extent ----

bool IQvFrameBase::BackgroundPalette(HPALETTE* palette) const
{
    *palette = nullptr;
    if (!HasPictureBackground())
        return false;
    OLE_HANDLE handle = 0;
    if (FAILED(pictureBackground_.Picture()->get_hPal(&handle)) || handle == 0)
        return false;
    *palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(handle));
    return true;
}

BOOL IQvFrameBase::OnGetPalette(HDC, LOGPALETTE** palette)
{
    HPALETTE source = nullptr;
    if (palette == nullptr || !BackgroundPalette(&source))
        return FALSE;
    WORD entries = 0;
    if (GetObjectA(source, sizeof entries, &entries) == 0 || entries == 0)
        return FALSE;
    const size_t size = sizeof(LOGPALETTE) + (entries - 1) * sizeof(PALETTEENTRY);
    LOGPALETTE* offered = static_cast<LOGPALETTE*>(CoTaskMemAlloc(size));
    if (offered == nullptr)
        return FALSE;
    offered->palVersion = 0x300;
    offered->palNumEntries = entries;
    GetPaletteEntries(source, 0, entries, offered->palPalEntry);
    *palette = offered;
    return TRUE;
}

BOOL IQvFrameBase::OnSetExtent(SIZEL* pixels)
{
    DiscardBackgroundCache();
    return IQvBase::OnSetExtent(pixels);
}

HRESULT IQvFrameBase::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    if (dispid == PictureBackgroundDispid || dispid == PictureBackgroundStyleDispid) {
        *category = PictureCategory;
        return S_OK;
    }
    return IQvBase::MapPropertyToCategory(dispid, category);
}

// ---- Members ----

STDMETHODIMP IQvFrameBase::get_PictureBackgroundStyle(Constants_PictureBackgroundStyle* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = static_cast<Constants_PictureBackgroundStyle>(frameBlock_.pictureBackgroundStyle);
    return S_OK;
}

STDMETHODIMP IQvFrameBase::put_PictureBackgroundStyle(Constants_PictureBackgroundStyle value)
{
    if (static_cast<long>(value) < CenteredBackground || static_cast<long>(value) > TiledBackground)
        return InvalidValue();
    if (frameBlock_.pictureBackgroundStyle == value)
        return S_OK;
    frameBlock_.pictureBackgroundStyle = static_cast<BYTE>(value);
    PropertyChanged(PictureBackgroundStyleDispid, false);
    DiscardBackgroundCache();
    return Refresh();
}

STDMETHODIMP IQvFrameBase::get_PictureBackground(IPictureDisp** value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = pictureBackground_.GetPictureDisp();
    return S_OK;
}

STDMETHODIMP IQvFrameBase::put_PictureBackground(IPictureDisp* value)
{
    short type = UninitializedPicture;
    ComReference<IPicture> picture;
    if (value != nullptr) {
        const HRESULT hr = value->QueryInterface(IID_IPicture, picture.OutVoid());
        if (FAILED(hr))
            return hr;
        if (FAILED(picture->get_Type(&type)))
            type = UninitializedPicture;
    }
    if (type == UninitializedPicture || type == NoPicture) {
        // No picture, or an empty one, clears what is held.
        if (value == nullptr ? !(frameBlock_.frameFlags & FrameBaseBlock::PictureBackgroundPresent)
                             : pictureBackground_.GetType() == type)
            return S_OK;
        pictureBackground_.CreateEmpty();
        frameBlock_.frameFlags &= ~FrameBaseBlock::PictureBackgroundPresent;
    } else {
        if (!pictureBackground_.SetFromDispatch(value))
            return E_NOINTERFACE;
        frameBlock_.frameFlags |= FrameBaseBlock::PictureBackgroundPresent;
    }
    PropertyChanged(PictureBackgroundDispid, false);
    DiscardBackgroundCache();
    return Refresh();
}

STDMETHODIMP IQvFrameBase::putref_PictureBackground(IPictureDisp* value)
{
    return put_PictureBackground(value);
}

STDMETHODIMP IQvFrameBase::get_ClipControls(VARIANT_BOOL* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = (frameBlock_.frameFlags & FrameBaseBlock::ClipControls) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP IQvFrameBase::put_ClipControls(VARIANT_BOOL value)
{
    const bool clip = (value & 1) != 0;
    if (clip == ((frameBlock_.frameFlags & FrameBaseBlock::ClipControls) != 0))
        return S_OK;
    if (clip)
        frameBlock_.frameFlags |= FrameBaseBlock::ClipControls;
    else
        frameBlock_.frameFlags &= ~FrameBaseBlock::ClipControls;
    if (!DesignMode())
        SetClipChildren(clip);
    PropertyChanged(ClipControlsDispid, false);
    return S_OK;
}

} // namespace plyx
