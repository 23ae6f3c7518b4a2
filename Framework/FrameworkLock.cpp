#include "FrameworkLock.h"

namespace {
CRITICAL_SECTION g_frameworkLock;
bool g_initialized = false;
}

void FrameworkLock::Initialize()
{
    if (!g_initialized) {
        InitializeCriticalSection(&g_frameworkLock);
        g_initialized = true;
    }
}

void FrameworkLock::Delete()
{
    if (g_initialized) {
        DeleteCriticalSection(&g_frameworkLock);
        g_initialized = false;
    }
}

void FrameworkLock::Enter()
{
    EnterCriticalSection(&g_frameworkLock);
}

void FrameworkLock::Leave()
{
    LeaveCriticalSection(&g_frameworkLock);
}
