// Self-registration of every row of ObjectDescriptorTable under HKEY_CLASSES_ROOT (CLSID, ProgIDs,
// control keys, component categories) and of the type library inside the module.
#pragma once
#include <windows.h>

namespace ServerRegistration {

// Writes the keys of every row and registers the type library. Returns the first failure of any row
// (the walk still goes on over the other rows), else the type library's result.
HRESULT RegisterObjects();
// Removes what RegisterObjects wrote; missing keys are skipped. Always S_OK.
HRESULT UnregisterObjects();

} // namespace ServerRegistration
