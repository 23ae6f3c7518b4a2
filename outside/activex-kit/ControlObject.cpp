// The control's identity: its interfaces, its type information, its dispatch and its events.
#include "ControlObject.h"

#include "com/Variant.h"

#include <algorithm>
#include <string>
#include <vector>

namespace korvane::kit {

ControlObject::ControlObject(const ControlClass& controlClass)
    : class_(controlClass), events_(*this, *controlClass.eventsIid)
{
}

ControlObject::~ControlObject()
{
    if (window_)
        DestroyWindow(window_);
}

HRESULT ControlObject::Initialize()
{
    // The type library is a resource of the control library itself.
    const std::string path = Module::FileName();
    const std::wstring widePath = com::Widen(path);
    HRESULT hr = LoadTypeLibEx(widePath.c_str(), REGKIND_NONE, typeLibrary_.Put());
    if (FAILED(hr))
        return hr;
    hr = typeLibrary_->GetTypeInfoOfGuid(*class_.dispatchIid, dispatchInfo_.Put());
    if (FAILED(hr))
        return hr;
    SetDefaults();
    return S_OK;
}

STDMETHODIMP ControlObject::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject))
        *out = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, *class_.dispatchIid))
        *out = DualInterface();
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
        *out = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IOleControl))
        *out = static_cast<IOleControl*>(this);
    else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit))
        *out = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(iid, IID_IPersistPropertyBag))
        *out = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(iid, IID_IProvideClassInfo))
        *out = static_cast<IProvideClassInfo*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ControlObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) ControlObject::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT ControlObject::DispatchTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT ControlObject::DispatchTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return dispatchInfo_.CopyTo(info);
}

HRESULT ControlObject::DispatchIdsOfNames(LPOLESTR* names, UINT count, DISPID* ids)
{
    return dispatchInfo_->GetIDsOfNames(names, count, ids);
}

HRESULT ControlObject::DispatchInvoke(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                      EXCEPINFO* exception, UINT* argumentError)
{
    return dispatchInfo_->Invoke(DualInterface(), dispid, flags, params, result, exception, argumentError);
}

HRESULT ControlObject::PutProperty(DISPID dispid, VARIANT& value)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    return DispatchInvoke(dispid, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

HRESULT ControlObject::GetProperty(DISPID dispid, VARIANT& value)
{
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return DispatchInvoke(dispid, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
}

void ControlObject::FireEvent(DISPID dispid, VARIANTARG* arguments, UINT count)
{
    // IDispatch takes the arguments last first.
    std::vector<VARIANTARG> reversed(arguments, arguments + count);
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params = {reversed.data(), nullptr, count, 0};
    com::ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    events_.Fire(dispid, params);
}

void ControlObject::PropertyChanged()
{
    dirty_ = true;
    if (window_)
        InvalidateRect(window_, nullptr, TRUE);
}

bool ControlObject::ReadAmbient(DISPID dispid, VARIANT& value)
{
    com::ComPtr<IDispatch> ambients;
    if (!clientSite_ || FAILED(clientSite_->QueryInterface(IID_IDispatch, ambients.PutVoid())))
        return false;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return SUCCEEDED(ambients->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                                      nullptr, nullptr));
}

STDMETHODIMP ControlObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, *class_.eventsIid))
        return CONNECT_E_NOCONNECTION;
    *point = &events_;
    events_.AddRef();
    return S_OK;
}

STDMETHODIMP ControlObject::GetClassInfo(ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return typeLibrary_->GetTypeInfoOfGuid(*class_.clsid, info);
}

STDMETHODIMP ControlObject::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = *class_.clsid;
    return S_OK;
}

} // namespace korvane::kit
