// Process-wide state of the library: its module handle, the heap every framework allocation uses,
// the Windows version flags and the count of live objects, factories and server locks that decides
// whether the library may be unloaded.
#pragma once
#include <windows.h>

#include <cstddef>

namespace Module {

// Attach and detach of the process (called by DllMain; a test program that links the framework
// calls them with its own module). Attach fails when there is no process heap.
bool Attach(HINSTANCE instance);
void Detach();

HINSTANCE Instance();
HANDLE Heap();

bool RunningOnWin95Family();
bool RunningOnNT();
bool VersionAtLeast352();

// The module object count, changed only with interlocked operations.
void AddObject();
void ReleaseObject();
LONG ObjectCount();

// The module's file path. False when it does not fit the buffer (it is never handed out cut short).
bool FilePath(char* buffer, DWORD size);
bool WideFilePath(wchar_t* buffer, DWORD size);

// Allocations on the library heap; null on failure.
void* Allocate(std::size_t bytes);
void* Reallocate(void* block, std::size_t bytes);
void Free(void* block);

} // namespace Module
