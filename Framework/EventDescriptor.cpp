#include "EventDescriptor.h"

#include "ConnectionPointObject.h"

namespace {

// Takes one argument of type `type` from the list into `slot`.
void TakeArgument(VARTYPE type, va_list& arguments, VARIANTARG* slot)
{
    V_VT(slot) = type;
    if (type == VT_VARIANT) {
        // The whole VARIANT, type included, is the parameter.
        *slot = va_arg(arguments, VARIANT);
        return;
    }
    if ((type & VT_BYREF) != 0) {
        V_BYREF(slot) = va_arg(arguments, void*);
        return;
    }
    switch (type) {
    case VT_I2:
        V_I2(slot) = SHORT(va_arg(arguments, int));
        break;
    case VT_BOOL:
        V_BOOL(slot) = VARIANT_BOOL(va_arg(arguments, int));
        break;
    case VT_R4:
        // A float reaches a variable argument list as a double.
        V_R4(slot) = FLOAT(va_arg(arguments, double));
        break;
    case VT_R8:
        V_R8(slot) = va_arg(arguments, double);
        break;
    case VT_DATE:
        V_DATE(slot) = va_arg(arguments, DATE);
        break;
    case VT_CY:
        V_CY(slot) = va_arg(arguments, CY);
        break;
    case VT_BSTR:
        V_BSTR(slot) = va_arg(arguments, BSTR);
        break;
    case VT_DISPATCH:
        V_DISPATCH(slot) = va_arg(arguments, IDispatch*);
        break;
    case VT_UNKNOWN:
        V_UNKNOWN(slot) = va_arg(arguments, IUnknown*);
        break;
    case VT_I4:
    case VT_ERROR:
    default:
        // 32-bit values, and anything smaller widened to one.
        V_I4(slot) = va_arg(arguments, LONG);
        break;
    }
}

} // namespace

bool BuildEventParameters(const EventDescriptor& event, va_list arguments, VARIANTARG (&slots)[MaxEventParameters],
                          DISPPARAMS* parameters)
{
    if (parameters == nullptr || event.parameterCount < 0 || event.parameterCount > MaxEventParameters
        || (event.parameterCount > 0 && event.parameterTypes == nullptr))
        return false;
    va_list walk;
    va_copy(walk, arguments);
    for (int i = 0; i < event.parameterCount; ++i) {
        VARIANTARG* slot = &slots[event.parameterCount - 1 - i];
        VariantInit(slot);
        TakeArgument(event.parameterTypes[i], walk, slot);
    }
    va_end(walk);
    parameters->rgvarg = event.parameterCount > 0 ? slots : nullptr;
    parameters->rgdispidNamedArgs = nullptr;
    parameters->cArgs = UINT(event.parameterCount);
    parameters->cNamedArgs = 0;
    return true;
}

void FireEventOver(ConnectionPointObject& point, const EventDescriptor& event, va_list arguments)
{
    VARIANTARG slots[MaxEventParameters];
    DISPPARAMS parameters;
    if (BuildEventParameters(event, arguments, slots, &parameters))
        point.InvokeSinks(event.dispid, &parameters);
}
