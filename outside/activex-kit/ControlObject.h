// The body every control of the kit shares: embedding, in-place activation in a window of its own,
// persistence by stream and by property bag, events through a connection point, class information, and
// dispatch through the type library. A control class derives from it and from its dual interface, and
// supplies its defaults, its painting and its message handling.
#pragma once

#include "ControlClass.h"
#include "EventConnectionPoint.h"
#include "Module.h"
#include "com/ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

namespace korvane::kit {

class ControlObject : public IOleObject,
                      public IOleInPlaceObject,
                      public IOleInPlaceActiveObject,
                      public IOleControl,
                      public IPersistStreamInit,
                      public IPersistPropertyBag,
                      public IConnectionPointContainer,
                      public IProvideClassInfo {
public:
    explicit ControlObject(const ControlClass& controlClass);
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    // Loads the type information and sets the defaults; called once by the class factory.
    HRESULT Initialize();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return OLEOBJ_E_NOVERBS; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override { return GetClassID(clsid); }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return S_OK; }

    // IOleWindow (of both in-place interfaces)
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override;
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

    // IPersist, IPersistStreamInit, IPersistPropertyBag
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return dirty_ ? S_OK : S_FALSE; }
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IProvideClassInfo
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;

    // The window procedure of every control window class of the kit.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual ~ControlObject();

    // The control's dual interface, answered for IDispatch and the class's dispatch IID.
    virtual IDispatch* DualInterface() = 0;
    virtual void SetDefaults() = 0;
    virtual void Paint(HDC dc, const RECT& client) = 0;
    // Window messages other than painting, focus and destruction; true when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }

    // IDispatch through the type library, for the dual interface's methods to forward to.
    HRESULT DispatchTypeInfoCount(UINT* count);
    HRESULT DispatchTypeInfo(UINT index, LCID, ITypeInfo** info);
    HRESULT DispatchIdsOfNames(LPOLESTR* names, UINT count, DISPID* ids);
    HRESULT DispatchInvoke(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                           UINT* argumentError);

    // Fires an event to every connected sink; arguments in the order the event declares them.
    void FireEvent(DISPID dispid, VARIANTARG* arguments, UINT count);
    // After a property changed: the state is dirty and the window is repainted.
    void PropertyChanged();
    bool ReadAmbient(DISPID dispid, VARIANT& value);
    HWND Window() const { return window_; }
    const ControlClass& Class() const { return class_; }

private:
    HRESULT InPlaceActivate(LONG verb);
    HRESULT CreateControlWindow(HWND parent, const RECT& position);
    HRESULT PutProperty(DISPID dispid, VARIANT& value);
    HRESULT GetProperty(DISPID dispid, VARIANT& value);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const ControlClass& class_;
    LONG references_ = 1;
    ModuleObject counted_;
    com::ComPtr<ITypeLib> typeLibrary_;
    com::ComPtr<ITypeInfo> dispatchInfo_;
    EventConnectionPoint events_;
    com::ComPtr<IOleClientSite> clientSite_;
    com::ComPtr<IOleControlSite> controlSite_;
    com::ComPtr<IOleInPlaceSite> inPlaceSite_;
    com::ComPtr<IOleInPlaceFrame> frame_;
    com::ComPtr<IOleInPlaceUIWindow> uiWindow_;
    HWND window_ = nullptr;
    SIZEL extent_ = {2540, 1270};  // HIMETRIC
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool dirty_ = false;
};

// The IUnknown and IDispatch members of a control class, forwarded to the kit's body.
#define KORVANE_KIT_FORWARD_UNKNOWN_AND_DISPATCH                                                                   \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ControlObject::QueryInterface(iid, out); } \
    STDMETHODIMP_(ULONG) AddRef() override { return ControlObject::AddRef(); }                                     \
    STDMETHODIMP_(ULONG) Release() override { return ControlObject::Release(); }                                   \
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return DispatchTypeInfoCount(count); }                   \
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override                                    \
    {                                                                                                              \
        return DispatchTypeInfo(index, lcid, info);                                                                \
    }                                                                                                              \
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override                  \
    {                                                                                                              \
        return DispatchIdsOfNames(names, count, ids);                                                              \
    }                                                                                                              \
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,             \
                        EXCEPINFO* exception, UINT* argumentError) override                                       \
    {                                                                                                              \
        return DispatchInvoke(dispid, flags, params, result, exception, argumentError);                           \
    }

} // namespace korvane::kit
