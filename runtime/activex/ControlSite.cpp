// A hosted control's life: creation, saved state, activation, events, late-bound access and unloading.
#include "ControlSite.h"

#include "ContainerView.h"
#include "ControlContainer.h"
#include "ControlEventSink.h"
#include "ControlExtender.h"
#include "ScreenUnits.h"

#include <cstdio>

namespace korvane::activex {

namespace {

std::string HresultText(HRESULT hr)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    char* message = nullptr;
    std::string text = code;
    if (FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&message), 0, nullptr) && message) {
        std::string described = message;
        LocalFree(message);
        while (!described.empty() && (described.back() == '\n' || described.back() == '\r' || described.back() == ' '))
            described.pop_back();
        text += " (" + described + ")";
    }
    return text;
}

// The source interface a control fires its events through: its coclass's default source.
HRESULT FindEventInterface(IUnknown* control, IID& eventsIid, com::ComPtr<ITypeInfo>& eventsInfo)
{
    com::ComPtr<IProvideClassInfo> classInfoSource;
    HRESULT hr = control->QueryInterface(IID_IProvideClassInfo, classInfoSource.PutVoid());
    if (FAILED(hr))
        return hr;
    com::ComPtr<ITypeInfo> classInfo;
    hr = classInfoSource->GetClassInfo(classInfo.Put());
    if (FAILED(hr))
        return hr;
    TYPEATTR* classAttributes = nullptr;
    hr = classInfo->GetTypeAttr(&classAttributes);
    if (FAILED(hr))
        return hr;
    const WORD implemented = classAttributes->cImplTypes;
    classInfo->ReleaseTypeAttr(classAttributes);
    for (UINT i = 0; i < implemented; ++i) {
        INT flags = 0;
        if (FAILED(classInfo->GetImplTypeFlags(i, &flags)) ||
            (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE))
            continue;
        HREFTYPE reference = 0;
        hr = classInfo->GetRefTypeOfImplType(i, &reference);
        if (SUCCEEDED(hr))
            hr = classInfo->GetRefTypeInfo(reference, eventsInfo.Put());
        TYPEATTR* eventAttributes = nullptr;
        if (SUCCEEDED(hr))
            hr = eventsInfo->GetTypeAttr(&eventAttributes);
        if (FAILED(hr))
            return hr;
        eventsIid = eventAttributes->guid;
        eventsInfo->ReleaseTypeAttr(eventAttributes);
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

} // namespace

ControlSite::ControlSite(ControlContainer& container, std::string name, std::optional<int> index, ControlSite* parent,
                         const RECT& bounds, bool visible)
    : container_(&container), name_(std::move(name)), index_(index), parent_(parent), bounds_(bounds), visible_(visible)
{
}

ControlSite::~ControlSite() = default;

STDMETHODIMP ControlSite::QueryInterface(REFIID iid, void** out)
{
    IOleClientSite* client = this;
    IOleInPlaceSiteEx* inPlace = this;
    IOleControlSite* control = this;
    ISimpleFrameSite* simpleFrame = this;
    IDispatch* ambients = this;
    // IOleInPlaceSiteWindowless is not among them: see the header.
    return com::AnswerQuery(iid, out,
                            {{&IID_IUnknown, client}, {&IID_IOleClientSite, client}, {&IID_IOleWindow, inPlace},
                             {&IID_IOleInPlaceSite, inPlace}, {&IID_IOleInPlaceSiteEx, inPlace},
                             {&IID_IOleControlSite, control}, {&IID_ISimpleFrameSite, simpleFrame},
                             {&IID_IDispatch, ambients}});
}

void ControlSite::Fail(const std::string& step, HRESULT hr) const
{
    throw ControlHostError("The control " + name_ + " could not be " + step + ": " + HresultText(hr), hr);
}

void ControlSite::Create(REFCLSID clsid)
{
    clsid_ = clsid;
    // Before the object: a control given its site first may ask for its extender at once.
    extender_ = com::ComPtr<ControlExtender>::Adopt(new ControlExtender(*this));
    containerView_ = com::ComPtr<ContainerView>::Adopt(new ContainerView(*this));
    CreateObject();
}

void ControlSite::CreateObject()
{
    HRESULT hr = CoCreateInstance(clsid_, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.PutVoid());
    if (FAILED(hr))
        Fail("created", hr);
    object_->QueryInterface(IID_IDispatch, dispatch_.PutVoid());  // a control without automation has no properties
    DWORD misc = 0;
    object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
    // Most controls want their site before their state, to read the ambients while loading.
    if (misc & OLEMISC_SETCLIENTSITEFIRST) {
        hr = object_->SetClientSite(this);
        if (FAILED(hr))
            Fail("given its site", hr);
    }
}

// Lets go of an object not yet activated nor connected to its events.
void ControlSite::DiscardObject()
{
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    dispatch_ = nullptr;
    object_ = nullptr;
}

HRESULT ControlSite::LoadStoredState(IStream* stream, IPropertyBag* bag)
{
    if (stream) {
        com::ComPtr<IPersistStreamInit> persist;
        HRESULT hr = object_->QueryInterface(IID_IPersistStreamInit, persist.PutVoid());
        return SUCCEEDED(hr) ? persist->Load(stream) : hr;
    }
    com::ComPtr<IPersistPropertyBag> byName;
    if (SUCCEEDED(object_->QueryInterface(IID_IPersistPropertyBag, byName.PutVoid())))
        return byName->Load(bag, nullptr);
    return StartWithDefaults();
}

HRESULT ControlSite::StartWithDefaults()
{
    com::ComPtr<IPersistStreamInit> byStream;
    if (SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit, byStream.PutVoid())))
        return byStream->InitNew();
    com::ComPtr<IPersistPropertyBag> byName;
    if (SUCCEEDED(object_->QueryInterface(IID_IPersistPropertyBag, byName.PutVoid())))
        return byName->InitNew();
    return S_OK;  // a control that keeps no state starts with its defaults anyway
}

void ControlSite::LoadState(IStream* stream, IPropertyBag* bag)
{
    HRESULT hr = LoadStoredState(stream, bag);
    if (FAILED(hr)) {
        // Damaged settings should not cost the user the control: it starts with its defaults instead.
        // The object that refused may hold part of the state, so it starts over; one that will not
        // (it counts itself initialised already) gives way to a new object of its class.
        if (FAILED(StartWithDefaults())) {
            DiscardObject();
            CreateObject();
            if (FAILED(StartWithDefaults()))
                Fail("loaded, nor started with its defaults", hr);
        }
        stateProblem_ = std::string(stream ? "its saved bytes" : "its saved properties") + " were refused: " + HresultText(hr);
    }
    com::ComPtr<IOleClientSite> current;
    if (FAILED(object_->GetClientSite(current.Put())) || !current) {
        hr = object_->SetClientSite(this);
        if (FAILED(hr))
            Fail("given its site", hr);
    }
}

void ControlSite::Activate()
{
    const ScreenDensity density = ScreenDensity::OfScreen();
    SIZEL extent = {PixelsToHimetric(bounds_.right - bounds_.left, density.x),
                    PixelsToHimetric(bounds_.bottom - bounds_.top, density.y)};
    object_->SetExtent(DVASPECT_CONTENT, &extent);  // a control may keep its own size; it says so at activation
    ConnectEvents();
    HRESULT hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, ParentWindow(), &bounds_);
    if (FAILED(hr))
        Fail("activated", hr);
    object_->QueryInterface(IID_IOleInPlaceObject, inPlaceObject_.PutVoid());
    if (HWND window = Window(); window && !visible_)
        ShowWindow(window, SW_HIDE);
}

void ControlSite::ConnectEvents()
{
    IID eventsIid = IID_NULL;
    com::ComPtr<ITypeInfo> eventsInfo;
    if (FAILED(FindEventInterface(object_.Get(), eventsIid, eventsInfo)))
        return;  // a control that fires no events
    com::ComPtr<IConnectionPointContainer> points;
    HRESULT hr = object_->QueryInterface(IID_IConnectionPointContainer, points.PutVoid());
    if (SUCCEEDED(hr))
        hr = points->FindConnectionPoint(eventsIid, eventPoint_.Put());
    if (FAILED(hr))
        return;
    eventSink_ = com::ComPtr<ControlEventSink>::Adopt(new ControlEventSink(*this, eventsIid, eventsInfo));
    hr = eventPoint_->Advise(static_cast<IDispatch*>(eventSink_.Get()), &eventCookie_);
    if (FAILED(hr))
        Fail("connected to its events", hr);
}

void ControlSite::Unload()
{
    // Kept alive until the end, whatever the control releases on the way.
    com::ComPtr<ControlSite> self(this);
    if (eventPoint_ && eventCookie_)
        eventPoint_->Unadvise(eventCookie_);
    eventPoint_ = nullptr;
    eventCookie_ = 0;
    if (eventSink_)
        eventSink_->Detach();
    eventSink_ = nullptr;
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    if (extender_)
        extender_->Detach();
    if (containerView_)
        containerView_->Detach();
    extender_ = nullptr;
    containerView_ = nullptr;
    inPlaceObject_ = nullptr;
    dispatch_ = nullptr;
    object_ = nullptr;
    container_ = nullptr;
    parent_ = nullptr;  // the frame may go before this site does
}

IDispatch* ControlSite::ExtenderDispatch() const
{
    return extender_.Get();
}

HWND ControlSite::Window() const
{
    com::ComPtr<IOleWindow> window;
    HWND handle = nullptr;
    if (object_ && SUCCEEDED(object_->QueryInterface(IID_IOleWindow, window.PutVoid())))
        window->GetWindow(&handle);
    return handle;
}

HWND ControlSite::ParentWindow() const
{
    if (parent_)
        if (HWND frame = parent_->Window())
            return frame;
    return container_ ? container_->Form() : nullptr;
}

HRESULT ControlSite::InvokeControl(DISPID dispid, WORD flags, DISPPARAMS& params, VARIANT* result, std::string* problem)
{
    if (!dispatch_)
        return E_NOINTERFACE;
    EXCEPINFO exception = {};
    HRESULT hr = dispatch_->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, nullptr);
    if (hr == DISP_E_EXCEPTION && exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    if (problem && FAILED(hr))
        *problem = exception.bstrDescription ? com::Narrow(exception.bstrDescription) : HresultText(hr);
    if (hr == DISP_E_EXCEPTION && FAILED(exception.scode))
        hr = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

HRESULT ControlSite::SetProperty(DISPID dispid, const com::Variant& value, std::string* problem)
{
    VARIANT argument = value.Get();  // read only by the callee
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, &named, 1, 1};
    return InvokeControl(dispid, DISPATCH_PROPERTYPUT, params, nullptr, problem);
}

HRESULT ControlSite::GetProperty(DISPID dispid, com::Variant& value, std::string* problem)
{
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    value.Clear();
    return InvokeControl(dispid, DISPATCH_PROPERTYGET, none, &value.Get(), problem);
}

HRESULT ControlSite::CallMethod(DISPID dispid, std::string* problem)
{
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return InvokeControl(dispid, DISPATCH_METHOD, none, nullptr, problem);
}

void ControlSite::SetVisible(bool visible)
{
    visible_ = visible;
    if (HWND window = Window())
        ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

HRESULT ControlSite::SetFocus()
{
    if (!object_)
        return E_UNEXPECTED;
    // UI activation gives the control the focus in the control's own way.
    return object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, this, 0, ParentWindow(), &bounds_);
}

void ControlSite::UIDeactivate()
{
    com::ComPtr<IOleInPlaceObject> inPlace = inPlaceObject_;
    if (!inPlace && object_)
        object_->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid());
    if (inPlace)
        inPlace->UIDeactivate();
}

HRESULT ControlSite::Move(const RECT& bounds)
{
    bounds_ = bounds;
    if (!object_)
        return E_UNEXPECTED;
    // The window goes to its new place first, then takes its new size: a control answers the extent
    // with OnPosRectChange at the place its window is at, and that answer becomes the bounds.
    const HRESULT placed = PlaceWindow();
    const ScreenDensity density = ScreenDensity::OfScreen();
    SIZEL extent = {PixelsToHimetric(bounds.right - bounds.left, density.x),
                    PixelsToHimetric(bounds.bottom - bounds.top, density.y)};
    object_->SetExtent(DVASPECT_CONTENT, &extent);
    return placed;
}

HRESULT ControlSite::PlaceWindow()
{
    if (!inPlaceObject_)
        return S_OK;
    RECT clip;
    GetClientRect(ParentWindow(), &clip);
    return inPlaceObject_->SetObjectRects(&bounds_, &clip);
}

void ControlSite::RouteEvent(DISPID dispid, const std::string& eventName, EventArguments& arguments)
{
    if (!container_)
        return;
    container_->Dispatch(ControlEvent{*this, name_, index_, eventName, dispid, arguments});
}

} // namespace korvane::activex
