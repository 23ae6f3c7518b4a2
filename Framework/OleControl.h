// The embeddable OLE control: an automation object with events that a container can site, activate in
// place (with a window of its own or windowless), draw, persist and ask about. The classes above it
// supply behaviour through the virtual hooks below; everything a container talks to is one of the
// interface parts declared here, each forwarding its IUnknown to the object's controlling unknown.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include "ComReference.h"
#include "ReleaseInterface.h"
#include "EventSourceObject.h"
#include "InterfacePart.h"
#include "ObjectDescriptor.h"

// {00D97180-FCF7-11CE-A09E-00AA0062BE57}: answers the control object itself, for code of this library
// that holds an interface of a control and needs the object behind it.
extern const IID IID_ControlObject;

class OleControl : public EventSourceObject {
public:
    // stateFlags
    static constexpr DWORD StateDirty = 0x01;
    static constexpr DWORD StateInPlaceActive = 0x02;
    static constexpr DWORD StateShown = 0x04;
    static constexpr DWORD StateUIActive = 0x08;
    static constexpr DWORD StateCreatingWindow = 0x10;
    static constexpr DWORD StateInSetExtent = 0x20;
    // ambientFlags
    static constexpr DWORD AmbientContainerReflects = 0x01;
    static constexpr DWORD AmbientMessageReflectRead = 0x02;
    static constexpr DWORD AmbientUserModeRead = 0x04;
    static constexpr DWORD AmbientStorageSaved = 0x08;
    static constexpr DWORD AmbientAdvisePrimeFirst = 0x10;
    static constexpr DWORD AmbientAdviseOnlyOnce = 0x20;
    static constexpr DWORD AmbientClipRegionSet = 0x40;
    static constexpr DWORD AmbientUserMode = 0x80;

    static constexpr LONG DefaultWidth = 100;
    static constexpr LONG DefaultHeight = 50;

    OleControl(IUnknown* outer, int row, IDispatch* dispatchInterface);
    ~OleControl() override;
    OleControl(const OleControl&) = delete;
    OleControl& operator=(const OleControl&) = delete;

    // ---- Hooks, in table order after the automation object's ----
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    void BeforeDestroy() override;
    HINSTANCE GetResourceInstance() override;
    virtual void ViewChanged();
    virtual BOOL BeforePaint(HDC dc);
    virtual BOOL PreSimpleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PostSimpleFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual HRESULT LoadBaseBinaryState(IStream* stream);
    virtual HRESULT LoadBaseTextState(IPropertyBag* bag, IErrorLog* errorLog);
    virtual HRESULT SaveBaseBinaryState(IStream* stream);
    virtual HRESULT SaveBaseTextState(IPropertyBag* bag);
    virtual void AmbientPropertyChanged(DISPID dispid);
    // title points to a buffer of TitleBufferSize characters.
    virtual BOOL BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, char* title);
    virtual void BeforeDestroyWindow();
    virtual HRESULT DoCustomVerb(LONG verb);
    virtual BOOL OnSetExtent(SIZEL* pixels);
    virtual BOOL OnSpecialKey(MSG* message);
    virtual BOOL OnGetPalette(HDC targetDC, LOGPALETTE** palette);
    virtual HRESULT OnQuickActivate(QACONTAINER* container, DWORD* viewStatus);
    virtual BOOL InitializeNewState();
    virtual BOOL AfterCreateWindow();
    virtual BOOL OnGetRect(DWORD aspect, RECT* pixels);
    virtual HRESULT OnSetClientSite();
    // After the framework's handling of IOleControl::OnMnemonic (the control is UI-activated).
    virtual void OnMnemonic(MSG* message);
    virtual HRESULT LoadBinaryState(IStream* stream) = 0;
    virtual HRESULT SaveBinaryState(IStream* stream) = 0;
    virtual HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* errorLog) = 0;
    virtual HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) = 0;
    virtual HRESULT OnDraw(DWORD aspect, HDC dc, const RECT* bounds, const RECT* metafileBounds, HDC targetDC,
                           BOOL optimise) = 0;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL RegisterClassData() = 0;

    static constexpr int TitleBufferSize = 128;

    // ---- Windows ----
    HWND CreateControlWindow(int x, int y, BOOL noRedraw);
    static LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SetParentWindow(HWND window);
    HWND GetOuterWindow() const { return reflectorWindow_ != nullptr ? reflectorWindow_ : controlWindow_; }
    void ShowControlWindow(BOOL show);
    bool SetFocus(BOOL take);
    void SetModalState(BOOL modal);
    bool SetControlSize(const SIZEL& pixels);
    void InvalidateControl(const RECT* rect);

    // ---- Windowless-aware routines ----
    bool HasFocus();
    bool HasCapture();
    bool SetCapture(BOOL take);
    HDC GetDC();
    void ReleaseDC(HDC dc);
    bool InvalidateRect(const RECT* rect, BOOL erase);
    LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void GetControlRect(RECT* rect);
    bool UsesPositionRect() const { return windowlessSite_ != nullptr || !(stateFlags_ & StateInPlaceActive); }

    // ---- Activation ----
    HRESULT InPlaceActivate(LONG verb);
    // Forgets the in-place site and the windowless site of an inactive control, so that its next
    // activation asks the client site again (and goes windowed when windowless is no longer allowed).
    void ForgetInPlaceSites();

    // ---- Ambient properties ----
    // True when the value was read and converted to vartype; the value part is copied into buffer
    // (a BSTR or interface read this way belongs to the caller).
    bool GetAmbientProperty(DISPID dispid, VARTYPE vartype, void* buffer);
    bool GetAmbientFont(IFont** font);
    bool DesignMode();

    // ---- State ----
    HWND ControlWindow() const { return controlWindow_; }
    HWND ParentWindow() const { return parentWindow_; }
    HWND ReflectorWindowHandle() const { return reflectorWindow_; }
    DWORD StateFlags() const { return stateFlags_; }
    DWORD AmbientFlags() const { return ambientFlags_; }
    bool IsDirty() const { return (stateFlags_ & StateDirty) != 0; }
    void SetDirty(bool dirty);
    const SIZEL& Extent() const { return extent_; }
    const RECT& PositionRect() const { return positionRect_; }
    const RECT& PaintRect() const { return paintRect_; }
    IOleClientSite* ClientSite() const { return clientSite_; }
    IOleControlSite* ControlSite() const { return controlSite_; }
    IOleInPlaceSiteWindowless* WindowlessSite() const { return windowlessSite_; }
    // The control's row of ObjectDescriptorTable.
    ControlDescriptor& ControlRow() const;

    // The object behind an interface of a control of this library; null for anything else. The
    // control is not AddRef'd.
    static OleControl* FromUnknown(IUnknown* unknown);

    // The control's own interfaces, not AddRef'd.
    IOleObject* OleObjectInterface() { return &oleObject_; }
    IOleInPlaceObjectWindowless* InPlaceObjectInterface() { return &inPlaceObject_; }
    IOleInPlaceActiveObject* InPlaceActiveObjectInterface() { return &inPlaceActiveObject_; }
    IViewObjectEx* ViewObjectInterface() { return &viewObject_; }

    // The window whose creation is under way (its first messages arrive before CreateWindowExA returns).
    static OleControl* ObjectBeingCreated();

private:
    template <class Interface>
    using Part = InterfacePart<Interface, OleControl>;

    class OleObjectPart : public Part<IOleObject> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP SetClientSite(IOleClientSite* site) override;
        STDMETHODIMP GetClientSite(IOleClientSite** site) override;
        STDMETHODIMP SetHostNames(LPCOLESTR containerApp, LPCOLESTR containerObject) override;
        STDMETHODIMP Close(DWORD saveOption) override;
        STDMETHODIMP SetMoniker(DWORD whichMoniker, IMoniker* moniker) override;
        STDMETHODIMP GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) override;
        STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
        STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
        STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                            LPCRECT position) override;
        STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
        STDMETHODIMP Update() override;
        STDMETHODIMP IsUpToDate() override;
        STDMETHODIMP GetUserClassID(CLSID* clsid) override;
        STDMETHODIMP GetUserType(DWORD form, LPOLESTR* userType) override;
        STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
        STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
        STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
        STDMETHODIMP Unadvise(DWORD connection) override;
        STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
        STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
        STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;
    };

    class OleControlPart : public Part<IOleControl> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
        STDMETHODIMP OnMnemonic(MSG* message) override;
        STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
        STDMETHODIMP FreezeEvents(BOOL freeze) override;
    };

    class InPlaceObjectPart : public Part<IOleInPlaceObjectWindowless> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetWindow(HWND* window) override;
        STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
        STDMETHODIMP InPlaceDeactivate() override;
        STDMETHODIMP UIDeactivate() override;
        STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
        STDMETHODIMP ReactivateAndUndo() override;
        STDMETHODIMP OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
        STDMETHODIMP GetDropTarget(IDropTarget** target) override;
    };

    class InPlaceActiveObjectPart : public Part<IOleInPlaceActiveObject> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetWindow(HWND* window) override;
        STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
        STDMETHODIMP TranslateAccelerator(LPMSG message) override;
        STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
        STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
        STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
        STDMETHODIMP EnableModeless(BOOL enable) override;
    };

    class ViewObjectPart : public Part<IViewObjectEx> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* targetDevice, HDC targetDC,
                          HDC drawDC, LPCRECTL bounds, LPCRECTL metafileBounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                          ULONG_PTR continueValue) override;
        STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* targetDevice,
                                 HDC targetDC, LOGPALETTE** colorSet) override;
        STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
        STDMETHODIMP Unfreeze(DWORD freeze) override;
        STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
        STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
        STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* targetDevice, LPSIZEL size) override;
        STDMETHODIMP GetRect(DWORD aspect, LPRECTL rect) override;
        STDMETHODIMP GetViewStatus(DWORD* status) override;
        STDMETHODIMP QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT point, LONG closeHint,
                                   DWORD* result) override;
        STDMETHODIMP QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT testRect, LONG closeHint,
                                  DWORD* result) override;
        STDMETHODIMP GetNaturalExtent(DWORD aspect, LONG index, DVTARGETDEVICE* targetDevice, HDC targetDC,
                                      DVEXTENTINFO* extentInfo, LPSIZEL size) override;
    };

    class PersistPropertyBagPart : public Part<IPersistPropertyBag> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetClassID(CLSID* clsid) override;
        STDMETHODIMP InitNew() override;
        STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* errorLog) override;
        STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    };

    class PersistStreamInitPart : public Part<IPersistStreamInit> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetClassID(CLSID* clsid) override;
        STDMETHODIMP IsDirty() override;
        STDMETHODIMP Load(LPSTREAM stream) override;
        STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
        STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
        STDMETHODIMP InitNew() override;
    };

    class PersistStoragePart : public Part<IPersistStorage> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetClassID(CLSID* clsid) override;
        STDMETHODIMP IsDirty() override;
        STDMETHODIMP InitNew(IStorage* storage) override;
        STDMETHODIMP Load(IStorage* storage) override;
        STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
        STDMETHODIMP SaveCompleted(IStorage* storage) override;
        STDMETHODIMP HandsOffStorage() override;
    };

    class PropertyPagesPart : public Part<ISpecifyPropertyPages> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetPages(CAUUID* pages) override;
    };

    class ProvideClassInfoPart : public Part<IProvideClassInfo> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetClassInfo(ITypeInfo** typeInfo) override;
    };

    class PointerInactivePart : public Part<IPointerInactive> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP GetActivationPolicy(DWORD* policy) override;
        STDMETHODIMP OnInactiveMouseMove(LPCRECT bounds, LONG x, LONG y, DWORD keyState) override;
        STDMETHODIMP OnInactiveSetCursor(LPCRECT bounds, LONG x, LONG y, DWORD message, BOOL setAlways) override;
    };

    class QuickActivatePart : public Part<IQuickActivate> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
        STDMETHODIMP SetContentExtent(LPSIZEL size) override;
        STDMETHODIMP GetContentExtent(LPSIZEL size) override;
    };

    // Shared by the persistence parts.
    HRESULT InitNewState();
    HRESULT LoadFromStream(IStream* stream);
    HRESULT SaveToStream(IStream* stream);
    void SendOnSave();
    // After a successful save: the dirty mark cleared when asked, and the advise sinks told.
    void SaveDone(BOOL clearDirty);
    void GetClassIdOf(CLSID* clsid);
    HRESULT ShowPropertyPages();
    HRESULT UIActivate();
    // Steps of in-place activation once the site is known; both undo nothing themselves.
    HRESULT EnterInPlaceActive(ComReference<IOleInPlaceSiteEx>& extendedSite);
    HRESULT FinishInPlaceActivation(bool windowless, BOOL noRedraw);
    // IOleWindow::GetWindow of both in-place interfaces.
    HRESULT GetWindowOf(HWND* window);
    // Passes a new extent on to the site and the windows.
    void ApplyExtent();
    void ReleaseContainerPointers();
    // Takes the window whose first message arrives during CreateWindowExA.
    void AttachWindow(HWND window);
    // WM_PAINT of the control window (givenDC: the DC sent with the message, may be null).
    LRESULT PaintWindow(HWND window, HDC givenDC);

    OleObjectPart oleObject_;
    OleControlPart oleControl_;
    InPlaceObjectPart inPlaceObject_;
    InPlaceActiveObjectPart inPlaceActiveObject_;
    ViewObjectPart viewObject_;
    PersistPropertyBagPart persistPropertyBag_;
    PersistStreamInitPart persistStreamInit_;
    PersistStoragePart persistStorage_;
    PropertyPagesPart propertyPages_;
    ProvideClassInfoPart provideClassInfo_;
    PointerInactivePart pointerInactive_;
    QuickActivatePart quickActivate_;

    IOleClientSite* clientSite_ = nullptr;
    IOleControlSite* controlSite_ = nullptr;
    IOleInPlaceSite* inPlaceSite_ = nullptr;
    IOleInPlaceFrame* inPlaceFrame_ = nullptr;
    IOleInPlaceUIWindow* inPlaceUIWindow_ = nullptr;
    ISimpleFrameSite* simpleFrameSite_ = nullptr;
    IDispatch* ambientDispatch_ = nullptr;
    SIZEL extent_ = {DefaultWidth, DefaultHeight};
    RECT positionRect_ = {};
    HWND controlWindow_ = nullptr;
    HWND parentWindow_ = nullptr;
    RECT paintRect_ = {};
    IOleInPlaceSiteWindowless* windowlessSite_ = nullptr;
    DWORD stateFlags_ = 0;
    HWND reflectorWindow_ = nullptr;
    IOleAdviseHolder* adviseHolder_ = nullptr;
    IAdviseSink* viewAdviseSink_ = nullptr;
    DWORD ambientFlags_ = AmbientContainerReflects;
};
