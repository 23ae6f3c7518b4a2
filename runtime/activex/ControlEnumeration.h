// The container's control-enumeration interface, {40A050A0-3C31-101B-A82E-08002B2B2337}: a control
// asks it (through its extender, or through its client site's container) for the other controls of its
// form. Its one method takes OLECONTF flags and a selector naming which controls are meant.
#pragma once

#include <windows.h>
#include <objidl.h>

namespace korvane::activex {

// Selectors of EnumControls.
enum ControlSelector : DWORD {
    kSiblingControls = 1,    // the controls beside the asking one, under the same parent
    kContainedControls = 3,  // the controls inside the asking one (a frame's)
};

MIDL_INTERFACE("40A050A0-3C31-101B-A82E-08002B2B2337")
IControlEnumeration : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE EnumControls(DWORD containerFlags, DWORD selector, IEnumUnknown** controls) = 0;
};

} // namespace korvane::activex

__CRT_UUID_DECL(korvane::activex::IControlEnumeration, 0x40a050a0, 0x3c31, 0x101b, 0xa8, 0x2e, 0x08, 0x00, 0x2b, 0x2b,
                0x23, 0x37)
