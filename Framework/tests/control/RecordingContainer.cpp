#include "RecordingContainer.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
const char* const ContainerClassName = "RecordingContainerWindow";

HWND MakeContainerWindow(bool visible)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = ContainerClassName;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        registered = RegisterClassA(&windowClass) != 0;
    }
    HWND window = CreateWindowExA(0, ContainerClassName, "Recording container", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  0, 0, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    // Shown without taking the activation: other test programs on the same display keep their focus.
    if (window != nullptr && visible)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

std::string WithNumber(const char* name, long long number)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%s(%lld)", name, number);
    return text;
}
} // namespace

// ---- Frame ----

HRESULT STDMETHODCALLTYPE RecordingFrame::QueryInterface(REFIID riid, void** object)
{
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
        riid == IID_IOleInPlaceFrame) {
        *object = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE RecordingFrame::AddRef() { return ++count_; }
ULONG STDMETHODCALLTYPE RecordingFrame::Release() { return --count_; }

HRESULT STDMETHODCALLTYPE RecordingFrame::GetWindow(HWND* window)
{
    *window = container_.Window();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingFrame::SetBorderSpace(LPCBORDERWIDTHS)
{
    container_.Record("Frame.SetBorderSpace");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR)
{
    container_.Record(object != nullptr ? "Frame.SetActiveObject(control)" : "Frame.SetActiveObject(null)");
    if (object != nullptr)
        object->AddRef();
    if (activeObject_ != nullptr)
        activeObject_->Release();
    activeObject_ = object;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingFrame::EnableModeless(BOOL enable)
{
    container_.Record(WithNumber("Frame.EnableModeless", enable));
    return S_OK;
}

// ---- Container ----

RecordingContainer::RecordingContainer(bool visible) : window_(MakeContainerWindow(visible)), frame_(*this)
{
}

RecordingContainer::~RecordingContainer()
{
    // A control still holding the frame's active object would be released after the test's checks.
    frame_.SetActiveObject(nullptr, nullptr);
    for (auto& entry : ambients)
        VariantClear(&entry.second);
    if (window_ != nullptr)
        DestroyWindow(window_);
    EXPECT_EQ(count_, 0u) << "the control left references to its site";
    EXPECT_EQ(frame_.References(), 0u) << "the control left references to the frame";
}

void RecordingContainer::SetAmbientBool(DISPID dispid, bool value)
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BOOL;
    variant.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    VariantClear(&ambients[dispid]);
    ambients[dispid] = variant;
}

int RecordingContainer::CountCalls(const std::string& prefix) const
{
    int count = 0;
    for (const std::string& call : calls_)
        if (call.compare(0, prefix.size(), prefix) == 0)
            ++count;
    return count;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(static_cast<IOleInPlaceSiteWindowless*>(this));
    else if (riid == IID_IOleInPlaceSiteEx && options.offerExtended)
        *object = static_cast<IOleInPlaceSiteEx*>(this);
    else if (riid == IID_IOleInPlaceSiteWindowless && options.offerWindowless)
        *object = static_cast<IOleInPlaceSiteWindowless*>(this);
    else if (riid == IID_IOleControlSite)
        *object = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch)
        *object = static_cast<IDispatch*>(this);
    if (*object == nullptr)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE RecordingContainer::AddRef() { return ++count_; }
ULONG STDMETHODCALLTYPE RecordingContainer::Release() { return --count_; }

HRESULT STDMETHODCALLTYPE RecordingContainer::SaveObject()
{
    Record("SaveObject");
    return options.saveObject;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetContainer(IOleContainer** container)
{
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::ShowObject()
{
    Record("ShowObject");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetWindow(HWND* window)
{
    Record("GetWindow");
    *window = window_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::CanInPlaceActivate()
{
    Record("CanInPlaceActivate");
    return options.canInPlaceActivate;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnInPlaceActivate()
{
    Record("OnInPlaceActivate");
    return options.onInPlaceActivate;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnUIActivate()
{
    Record("OnUIActivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** uiWindow,
                                                               LPRECT position, LPRECT clip,
                                                               LPOLEINPLACEFRAMEINFO frameInfo)
{
    Record("GetWindowContext");
    *frame = nullptr;
    *uiWindow = nullptr;
    if (FAILED(options.getWindowContext))
        return options.getWindowContext;
    EXPECT_EQ(frameInfo->cb, sizeof(OLEINPLACEFRAMEINFO));
    frame_.AddRef();
    *frame = &frame_;
    *position = options.position;
    *clip = options.clip;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnUIDeactivate(BOOL undoable)
{
    Record(WithNumber("OnUIDeactivate", undoable));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnInPlaceDeactivate()
{
    Record("OnInPlaceDeactivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnPosRectChange(LPCRECT position)
{
    Record("OnPosRectChange");
    lastPosRect_ = *position;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags)
{
    Record(WithNumber("OnInPlaceActivateEx", flags));
    if (noRedraw != nullptr)
        *noRedraw = FALSE;
    return options.onInPlaceActivate;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnInPlaceDeactivateEx(BOOL)
{
    Record("OnInPlaceDeactivateEx");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::CanWindowlessActivate()
{
    Record("CanWindowlessActivate");
    return options.canWindowlessActivate;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetCapture()
{
    return windowlessCapture_ ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::SetCapture(BOOL capture)
{
    Record(WithNumber("SetCapture", capture));
    windowlessCapture_ = capture != FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetFocus()
{
    return windowlessFocus_ ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::SetFocus(BOOL focus)
{
    Record(WithNumber("SetFocus", focus));
    windowlessFocus_ = focus != FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetDC(LPCRECT, DWORD, HDC* dc)
{
    Record("GetDC");
    *dc = ::GetDC(window_);
    return *dc != nullptr ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::ReleaseDC(HDC dc)
{
    Record("ReleaseDC");
    ::ReleaseDC(window_, dc);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::InvalidateRect(LPCRECT, BOOL erase)
{
    Record(WithNumber("InvalidateRect", erase));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::InvalidateRgn(HRGN, BOOL erase)
{
    Record(WithNumber("InvalidateRgn", erase));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnDefWindowMessage(UINT message, WPARAM, LPARAM, LRESULT* result)
{
    Record(WithNumber("OnDefWindowMessage", message));
    *result = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetExtendedControl(IDispatch** dispatch)
{
    *dispatch = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::TranslateAccelerator(MSG*, DWORD modifiers)
{
    Record(WithNumber("TranslateAccelerator", modifiers));
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::OnFocus(BOOL gotFocus)
{
    Record(WithNumber("OnFocus", gotFocus));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::ShowPropertyFrame()
{
    Record("ShowPropertyFrame");
    return options.showPropertyFrame;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingContainer::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*,
                                                     VARIANT* result, EXCEPINFO*, UINT*)
{
    Record(WithNumber("Ambient", dispid));
    const auto found = ambients.find(dispid);
    if (found == ambients.end() || !(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    if (result == nullptr)
        return E_INVALIDARG;
    VariantInit(result);
    return VariantCopy(result, &found->second);
}
