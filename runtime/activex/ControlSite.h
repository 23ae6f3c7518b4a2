// One hosted control and the site the form gives it. The site is what the control talks to
// (IOleClientSite, IOleInPlaceSiteEx, IOleControlSite, ISimpleFrameSite, and the ambient properties
// through its IDispatch); the rest of the program talks to the hosted control through the methods below.
//
// Windowless activation is refused: the site does not answer IOleInPlaceSiteWindowless, so every
// control takes a window of its own, which the forms' windows (focus, tab order, painting) rely on.
#pragma once

#include "AmbientSettings.h"
#include "ControlEvents.h"
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/UntypedDispatch.h"
#include "com/Variant.h"

#include <ocidl.h>
#include <olectl.h>

#include <optional>
#include <string>

namespace korvane::activex {

class ControlContainer;
class ControlExtender;
class ContainerView;
class ControlEventSink;

class ControlSite final : public com::ComObject<IOleClientSite, IOleInPlaceSiteEx, IOleControlSite, ISimpleFrameSite,
                                                com::UntypedDispatch> {
public:
    ControlSite(ControlContainer& container, std::string name, std::optional<int> index, ControlSite* parent,
                const RECT& bounds, bool visible);

    // Creating, loading and activating; each step throws ControlHostError naming the control.
    void Create(REFCLSID clsid);
    // A stored state the control refuses is not fatal: the control starts afresh with its defaults (a new
    // object of its class when it will not start over) and StateProblem() says why. Throws only when
    // the control cannot start even with its defaults.
    void LoadState(IStream* stream, IPropertyBag* bag);
    void Activate();
    // Unadvises the events, closes the control, takes its site away and drops every reference to it.
    void Unload();

    const std::string& Name() const { return name_; }
    // Why the stored state could not be loaded, the control having taken its defaults; empty when it was.
    const std::string& StateProblem() const { return stateProblem_; }
    std::optional<int> Index() const { return index_; }
    ControlSite* Parent() const { return parent_; }
    ControlContainer* Container() const { return container_; }
    // The control's own object; null after Unload.
    IUnknown* Object() const { return object_.Get(); }
    IDispatch* ExtenderDispatch() const;
    HWND Window() const;
    // The window the control's window is a child of: its parent control's, or the form's.
    HWND ParentWindow() const;

    // Late-bound property access by DISPID through the control's IDispatch. A failure's description,
    // when the control gave one, goes to `problem`.
    HRESULT SetProperty(DISPID dispid, const com::Variant& value, std::string* problem = nullptr);
    HRESULT GetProperty(DISPID dispid, com::Variant& value, std::string* problem = nullptr);
    HRESULT CallMethod(DISPID dispid, std::string* problem = nullptr);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    HRESULT SetFocus();
    // Ends the control's UI activation (another control of the form takes it).
    void UIDeactivate();
    // The place in the parent window's client area, in pixels.
    const RECT& Bounds() const { return bounds_; }
    HRESULT Move(const RECT& bounds);

    // Called by the event sink with each event the control fires.
    void RouteEvent(DISPID dispid, const std::string& eventName, EventArguments& arguments);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite, IOleInPlaceSiteEx
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return object_ ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL) override { return OnInPlaceDeactivate(); }
    STDMETHODIMP RequestUIActivate() override { return S_OK; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** extender) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // ISimpleFrameSite
    STDMETHODIMP PreMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT* result, DWORD* cookie) override;
    STDMETHODIMP PostMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT* result, DWORD cookie) override;

    // IDispatch: the ambient properties
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

private:
    ~ControlSite();
    void CreateObject();
    void DiscardObject();
    HRESULT LoadStoredState(IStream* stream, IPropertyBag* bag);
    HRESULT StartWithDefaults();
    void ConnectEvents();
    HRESULT PlaceWindow();
    HRESULT InvokeControl(DISPID dispid, WORD flags, DISPPARAMS& params, VARIANT* result, std::string* problem);
    [[noreturn]] void Fail(const std::string& step, HRESULT hr) const;

    ControlContainer* container_;
    std::string name_;
    std::optional<int> index_;
    ControlSite* parent_;
    RECT bounds_;
    bool visible_;
    bool inPlaceActive_ = false;
    CLSID clsid_ = CLSID_NULL;
    std::string stateProblem_;

    com::ComPtr<IOleObject> object_;
    com::ComPtr<IOleInPlaceObject> inPlaceObject_;
    com::ComPtr<IDispatch> dispatch_;
    com::ComPtr<ControlExtender> extender_;
    com::ComPtr<ContainerView> containerView_;
    com::ComPtr<ControlEventSink> eventSink_;
    com::ComPtr<IConnectionPoint> eventPoint_;
    DWORD eventCookie_ = 0;
};

} // namespace korvane::activex
