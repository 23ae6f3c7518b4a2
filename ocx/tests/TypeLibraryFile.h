// The type library of the Plyx20.ocx built beside the test program.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace TypeLibraryFile {

// Full path of Plyx20.ocx in the test program's folder.
std::wstring ControlLibraryPath();

// The library loaded from that file (a full path: LoadTypeLib does not register it); null (with a test failure) when it
// cannot be loaded. The caller releases it.
ITypeLib* Load();

} // namespace TypeLibraryFile
