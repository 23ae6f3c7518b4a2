// What a control library tells the kit about each of its control classes: identity, registration,
// type information, window class, persisted properties and how to make one.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstddef>

namespace korvane::kit {

class ControlObject;

// A property kept in the control's saved state, read and written through the control's own dispatch
// interface by DISPID, so that one mechanism serves the stream and the property bag.
struct PersistedProperty {
    const wchar_t* name;
    DISPID dispid;
    VARTYPE type;  // VT_BOOL, VT_I2, VT_I4, VT_R4 or VT_BSTR
};

struct ControlClass {
    const CLSID* clsid;
    const char* progId;
    const char* description;
    const GUID* libraryId;
    WORD libraryMajor;
    WORD libraryMinor;
    const IID* dispatchIid;
    const IID* eventsIid;
    const char* windowClassName;
    DWORD miscStatus;
    const PersistedProperty* properties;
    size_t propertyCount;
    ControlObject* (*create)(const ControlClass&);
};

// Supplied by each control library: its classes.
extern const ControlClass* const kControlClasses[];
extern const size_t kControlClassCount;

const ControlClass* FindControlClass(REFCLSID clsid);

} // namespace korvane::kit
