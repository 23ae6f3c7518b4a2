#include "DispatchByName.h"

#include <ocidl.h>
#include <oleidl.h>
#include <olectl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The locale names are looked up and members invoked in.
constexpr LCID InvokeLocale = 0x0800;

// The dispatch interface of the container's extended control of `object`, or null when it has none.
ComPtr<IDispatch> ExtendedControl(IUnknown* object)
{
    ComPtr<IOleObject> oleObject;
    ComPtr<IOleClientSite> site;
    ComPtr<IOleControlSite> controlSite;
    ComPtr<IDispatch> extended;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&oleObject))) || !oleObject
        || FAILED(oleObject->GetClientSite(&site)) || !site
        || FAILED(site->QueryInterface(IID_PPV_ARGS(&controlSite))) || !controlSite
        || FAILED(controlSite->GetExtendedControl(&extended)))
        return nullptr;
    return extended;
}

} // namespace

bool DispatchInvokeByName(IUnknown* object, LPCOLESTR name, VARIANT* result, UINT argumentCount,
                          VARIANTARG* arguments, WORD flags, bool useExtendedControl, DISPID* cachedDispid,
                          bool namedPut)
{
    if (object == nullptr || name == nullptr || (argumentCount > 0 && arguments == nullptr))
        return false;
    ComPtr<IDispatch> target;
    if (useExtendedControl)
        target = ExtendedControl(object);
    if (!target && (FAILED(object->QueryInterface(IID_PPV_ARGS(&target))) || !target))
        return false;

    DISPID dispid = cachedDispid != nullptr ? *cachedDispid : 0;
    if (dispid == 0) {
        LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
        if (FAILED(target->GetIDsOfNames(IID_NULL, names, 1, InvokeLocale, &dispid)))
            return false;
        if (cachedDispid != nullptr)
            *cachedDispid = dispid;
    }

    if (result != nullptr)
        VariantInit(result);
    DISPID putName = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {arguments, namedPut ? &putName : nullptr, argumentCount, namedPut ? 1u : 0u};
    return SUCCEEDED(target->Invoke(dispid, IID_NULL, InvokeLocale, flags, &parameters, result, nullptr, nullptr));
}

bool DispatchGetByName(IUnknown* object, LPCOLESTR name, VARIANT* result, UINT argumentCount,
                       VARIANTARG* arguments)
{
    return DispatchInvokeByName(object, name, result, argumentCount, arguments, DISPATCH_PROPERTYGET, false,
                                nullptr, false);
}

bool DispatchPutByName(IUnknown* object, LPCOLESTR name, const VARIANT& value)
{
    // Invoke does not change its arguments; the copy only drops the const.
    VARIANTARG argument = value;
    return DispatchInvokeByName(object, name, nullptr, 1, &argument, DISPATCH_PROPERTYPUT, false, nullptr, true);
}

bool DispatchPutByNameArgs(IUnknown* object, LPCOLESTR name, VARIANT* result, UINT argumentCount,
                           VARIANTARG* arguments, bool namedPut)
{
    return DispatchInvokeByName(object, name, result, argumentCount, arguments, DISPATCH_PROPERTYPUT, false,
                                nullptr, namedPut);
}
