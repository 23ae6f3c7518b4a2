#include "TypeLibraryFile.h"

#include <oleauto.h>

#include <gtest/gtest.h>

namespace TypeLibraryFile {

std::wstring ControlLibraryPath()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + L"Plyx20.ocx";
}

ITypeLib* Load()
{
    ITypeLib* library = nullptr;
    const HRESULT hr = LoadTypeLib(ControlLibraryPath().c_str(), &library);
    EXPECT_EQ(S_OK, hr) << "LoadTypeLib of Plyx20.ocx";
    return SUCCEEDED(hr) ? library : nullptr;
}

} // namespace TypeLibraryFile
