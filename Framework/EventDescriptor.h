// The static description of one event a control fires, and the firing of it over the sinks of a
// connection point with the arguments as the caller passed them.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstdarg>

class ConnectionPointObject;

struct EventDescriptor {
    DISPID dispid;
    // 0 to MaxEventParameters.
    int parameterCount;
    // The VARTYPE of each parameter, first parameter first.
    const VARTYPE* parameterTypes;
};

constexpr int MaxEventParameters = 32;

// Places the variable arguments, one per parameter of `event`, into `slots`, the first parameter at
// index parameterCount - 1 and the last at 0, and describes them in `parameters`. The slots borrow
// the caller's values: nothing is copied deeply or AddRef'd, and a by-reference parameter (a pointer
// argument) lets the sinks write back into the caller's variable. Arguments are passed as C passes
// variable arguments: VT_I2 and VT_BOOL as int, VT_R4 as double, VT_VARIANT as a whole VARIANT, any
// VT_BYREF type as a pointer. False (nothing built) for more than MaxEventParameters parameters.
bool BuildEventParameters(const EventDescriptor& event, va_list arguments, VARIANTARG (&slots)[MaxEventParameters],
                          DISPPARAMS* parameters);

// Builds the parameters of `event` and invokes the sinks of `point` with them.
void FireEventOver(ConnectionPointObject& point, const EventDescriptor& event, va_list arguments);
