// Whether the test control's library, as loaded in this process, says it may be unloaded: S_OK when it
// holds no object and no lock (or is not even loaded), S_FALSE while it does.
#pragma once

#include <windows.h>

namespace korvane::activex::testing {

inline HRESULT CanUnloadTestControlLibrary()
{
    HMODULE library = GetModuleHandleA("KorvaneTestControl.ocx");
    if (!library)
        return S_OK;  // not even loaded
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    auto canUnload =
        reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

} // namespace korvane::activex::testing
