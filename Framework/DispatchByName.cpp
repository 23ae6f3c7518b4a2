#include "DispatchByName.h"

#include "ComReference.h"

#include <ocidl.h>
#include <oleidl.h>
#include <olectl.h>

namespace {

// The locale names are looked up and members invoked in.
constexpr LCID InvokeLocale = 0x0800;

// The dispatch interface of the container's extended control of `object` into `extended`; false when
// it has none.
bool GetExtendedControl(IUnknown* object, ComReference<IDispatch>& extended)
{
    ComReference<IOleObject> oleObject;
    ComReference<IOleClientSite> site;
    ComReference<IOleControlSite> controlSite;
    return SUCCEEDED(object->QueryInterface(IID_IOleObject, oleObject.OutVoid())) && oleObject
           && SUCCEEDED(oleObject->GetClientSite(site.Out())) && site
           && SUCCEEDED(site->QueryInterface(IID_IOleControlSite, controlSite.OutVoid())) && controlSite
           && SUCCEEDED(controlSite->GetExtendedControl(extended.Out())) && extended;
}

} // namespace

bool DispatchInvokeByName(IUnknown* object, LPCOLESTR name, VARIANT* result, UINT argumentCount,
                          VARIANTARG* arguments, WORD flags, bool useExtendedControl, DISPID* cachedDispid,
                          bool namedPut)
{
    // Without an object there is nothing to do, which is no failure: a walk over sibling controls
    // goes on past a missing one.
    if (object == nullptr)
        return true;
    if (name == nullptr || (argumentCount > 0 && arguments == nullptr))
        return false;
    ComReference<IDispatch> target;
    if (!(useExtendedControl && GetExtendedControl(object, target))
        && (FAILED(object->QueryInterface(IID_IDispatch, target.OutVoid())) || !target))
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
