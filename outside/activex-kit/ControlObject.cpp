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
    // The window's last messages find no control: the class levels above this one are gone already.
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
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
    IOleObject* object = this;
    IOleInPlaceObject* inPlace = this;
    IOleInPlaceActiveObject* active = this;
    IOleControl* control = this;
    IPersistStreamInit* stream = this;
    IPersistPropertyBag* bag = this;
    IConnectionPointContainer* points = this;
    IProvideClassInfo* classInfo = this;
    IDispatch* dispatch = DualInterface();
    return com::AnswerQuery(iid, out,
                            {{&IID_IUnknown, object}, {&IID_IOleObject, object}, {&IID_IDispatch, dispatch},
                             {class_.dispatchIid, dispatch}, {&IID_IOleWindow, inPlace}, {&IID_IOleInPlaceObject, inPlace},
                             {&IID_IOleInPlaceActiveObject, active}, {&IID_IOleControl, control}, {&IID_IPersist, stream},
                             {&IID_IPersistStreamInit, stream}, {&IID_IPersistPropertyBag, bag},
                             {&IID_IConnectionPointContainer, points}, {&IID_IProvideClassInfo, classInfo}});
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
