// A container for tests that records every call a control makes of its site and frame, in order, as
// short texts ("CanInPlaceActivate", "OnInPlaceActivateEx(1)" ...). It offers a real window, a
// windowless in-place site (or only the plain and extended ones), ambient properties and answers that
// a test can set to make activation fail at a chosen step.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <vector>

class RecordingContainer;

// The frame and UI window the site hands out with GetWindowContext.
class RecordingFrame final : public IOleInPlaceFrame {
public:
    explicit RecordingFrame(RecordingContainer& container) : container_(container) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    ULONG References() const { return count_; }
    IOleInPlaceActiveObject* ActiveObject() const { return activeObject_; }

private:
    RecordingContainer& container_;
    ULONG count_ = 0;
    IOleInPlaceActiveObject* activeObject_ = nullptr;
};

class RecordingContainer final : public IOleClientSite,
                                 public IOleInPlaceSiteWindowless,
                                 public IOleControlSite,
                                 public IDispatch {
public:
    // What the site offers and answers; set before the control is activated.
    struct Options {
        bool offerWindowless = true;   // answers IOleInPlaceSiteWindowless
        bool offerExtended = true;     // answers IOleInPlaceSiteEx
        HRESULT canWindowlessActivate = S_OK;
        HRESULT canInPlaceActivate = S_OK;
        HRESULT onInPlaceActivate = S_OK;
        HRESULT getWindowContext = S_OK;
        HRESULT saveObject = S_OK;
        HRESULT showPropertyFrame = S_OK;
        RECT position = {10, 20, 110, 70};
        RECT clip = {0, 0, 400, 300};
        bool positionsInPoints = false; // TransformCoords answers; else E_NOTIMPL
    };

    // A shown window costs the window system's time; only tests that paint need one.
    explicit RecordingContainer(bool visible = false);
    ~RecordingContainer();
    RecordingContainer(const RecordingContainer&) = delete;
    RecordingContainer& operator=(const RecordingContainer&) = delete;

    Options options;
    // Ambient properties by DISPID; absent ones answer DISP_E_MEMBERNOTFOUND.
    std::map<DISPID, VARIANT> ambients;
    void SetAmbientBool(DISPID dispid, bool value);

    // The calls recorded so far, and a fresh start.
    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // The calls whose text starts with `prefix`.
    int CountCalls(const std::string& prefix) const;
    void Record(const std::string& call) { calls_.push_back(call); }

    HWND Window() const { return window_; }
    RecordingFrame& Frame() { return frame_; }
    ULONG References() const { return count_; }
    bool HasFocusFlag() const { return windowlessFocus_; }
    bool HasCaptureFlag() const { return windowlessCapture_; }
    const RECT& LastPosRect() const { return lastPosRect_; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** uiWindow, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IOleInPlaceSiteEx
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL) override;
    STDMETHODIMP RequestUIActivate() override { return S_OK; }

    // IOleInPlaceSiteWindowless
    STDMETHODIMP CanWindowlessActivate() override;
    STDMETHODIMP GetCapture() override;
    STDMETHODIMP SetCapture(BOOL capture) override;
    STDMETHODIMP GetFocus() override;
    STDMETHODIMP SetFocus(BOOL focus) override;
    STDMETHODIMP GetDC(LPCRECT rect, DWORD flags, HDC* dc) override;
    STDMETHODIMP ReleaseDC(HDC dc) override;
    STDMETHODIMP InvalidateRect(LPCRECT rect, BOOL erase) override;
    STDMETHODIMP InvalidateRgn(HRGN, BOOL) override;
    STDMETHODIMP ScrollRect(INT, INT, LPCRECT, LPCRECT) override { return E_NOTIMPL; }
    STDMETHODIMP AdjustRect(LPRECT) override { return S_OK; }
    STDMETHODIMP OnDefWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override
    {
        Record("OnControlInfoChanged");
        return S_OK;
    }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** dispatch) override;
    // Positions from HIMETRIC to points when asked to, as a container working in points does.
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override
    {
        if (!options.positionsInPoints || himetric == nullptr || container == nullptr ||
            flags != (XFORMCOORDS_POSITION | XFORMCOORDS_HIMETRICTOCONTAINER))
            return E_NOTIMPL;
        container->x = himetric->x * 72.0f / 2540.0f;
        container->y = himetric->y * 72.0f / 2540.0f;
        return S_OK;
    }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD modifiers) override;
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IDispatch: the ambient properties.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

private:
    ULONG count_ = 0;
    HWND window_ = nullptr;
    RecordingFrame frame_;
    std::vector<std::string> calls_;
    bool windowlessFocus_ = false;
    bool windowlessCapture_ = false;
    RECT lastPosRect_ = {};
};
