#include "Module.h"

#include "FrameworkLock.h"

namespace {
HINSTANCE g_instance = nullptr;
HANDLE g_heap = nullptr;
bool g_win95Family = false;
bool g_nt = false;
bool g_atLeast352 = false;
volatile LONG g_objectCount = 0;

void SetVersionFlags()
{
    // GetVersion is deprecated but still reports what the flags were defined on.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const DWORD version = GetVersion();
#pragma GCC diagnostic pop
    g_win95Family = (version & 0x80000000u) != 0;
    g_nt = !g_win95Family;
    const DWORD major = version & 0xFF;
    const DWORD minor = (version >> 8) & 0xFF;
    g_atLeast352 = g_win95Family || (major * 256 + minor) >= 820;
}
} // namespace

namespace Module {

bool Attach(HINSTANCE instance)
{
    SetVersionFlags();
    FrameworkLock::Initialize();
    if (g_heap == nullptr)
        g_heap = GetProcessHeap();
    if (g_heap == nullptr)
        return false;
    g_instance = instance;
    return true;
}

void Detach()
{
    g_instance = nullptr;
}

HINSTANCE Instance() { return g_instance; }

HANDLE Heap()
{
    // Before attach (a test of a helper alone) the process heap serves as well.
    return g_heap != nullptr ? g_heap : GetProcessHeap();
}

bool RunningOnWin95Family() { return g_win95Family; }
bool RunningOnNT() { return g_nt; }
bool VersionAtLeast352() { return g_atLeast352; }

void AddObject() { InterlockedIncrement(&g_objectCount); }
void ReleaseObject() { InterlockedDecrement(&g_objectCount); }
LONG ObjectCount() { return InterlockedCompareExchange(&g_objectCount, 0, 0); }

bool FilePath(char* buffer, DWORD size)
{
    if (buffer == nullptr || size == 0)
        return false;
    const DWORD length = GetModuleFileNameA(g_instance, buffer, size);
    if (length == 0 || length >= size) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

bool WideFilePath(wchar_t* buffer, DWORD size)
{
    if (buffer == nullptr || size == 0)
        return false;
    const DWORD length = GetModuleFileNameW(g_instance, buffer, size);
    if (length == 0 || length >= size) {
        buffer[0] = L'\0';
        return false;
    }
    return true;
}

void* Allocate(std::size_t bytes) { return HeapAlloc(Heap(), 0, bytes); }

void* Reallocate(void* block, std::size_t bytes)
{
    if (block == nullptr)
        return Allocate(bytes);
    return HeapReAlloc(Heap(), 0, block, bytes);
}

void Free(void* block)
{
    if (block != nullptr)
        HeapFree(Heap(), 0, block);
}

} // namespace Module
