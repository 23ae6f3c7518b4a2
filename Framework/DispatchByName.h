// Property access by name on a control, or on the extended control its container wraps it in.
#pragma once
#include <windows.h>
#include <oleauto.h>

// Invokes the member `name` of `object` (through its container's extended control when
// `useExtendedControl` is set and the container has one, else through its own IDispatch).
// `arguments` are in the order IDispatch::Invoke expects (last argument first). With `cachedDispid`
// given and non-zero that DISPID is used; else it is looked up by name and stored there. With
// `namedPut`, the arguments carry the named argument DISPID_PROPERTYPUT. `result` (may be null) is
// initialised first. False when there is no object, no IDispatch, no such name or Invoke failed.
bool DispatchInvokeByName(IUnknown* object, LPCOLESTR name, VARIANT* result, UINT argumentCount,
                          VARIANTARG* arguments, WORD flags, bool useExtendedControl, DISPID* cachedDispid,
                          bool namedPut);

// Reads the property `name` of the object itself into `result`.
bool DispatchGetByName(IUnknown* object, LPCOLESTR name, VARIANT* result, UINT argumentCount = 0,
                       VARIANTARG* arguments = nullptr);

// Sets the property `name` of the object itself to `value`.
bool DispatchPutByName(IUnknown* object, LPCOLESTR name, const VARIANT& value);

// Sets the property `name` of the object itself with the caller's arguments.
bool DispatchPutByNameArgs(IUnknown* object, LPCOLESTR name, VARIANT* result, UINT argumentCount,
                           VARIANTARG* arguments, bool namedPut);
