#include "Module.h"

#include "ControlClass.h"

#include <atomic>

namespace korvane::kit {

namespace {
HINSTANCE moduleInstance = nullptr;
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};
} // namespace

HINSTANCE Module::Instance() { return moduleInstance; }
void Module::SetInstance(HINSTANCE instance) { moduleInstance = instance; }
void Module::ObjectCreated() { ++liveObjects; }
void Module::ObjectDestroyed() { --liveObjects; }

void Module::Lock(bool lock)
{
    if (lock)
        ++serverLocks;
    else
        --serverLocks;
}

bool Module::CanUnload() { return liveObjects == 0 && serverLocks == 0; }

std::string Module::FileName()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(moduleInstance, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

const ControlClass* FindControlClass(REFCLSID clsid)
{
    for (size_t i = 0; i < kControlClassCount; ++i)
        if (IsEqualCLSID(*kControlClasses[i]->clsid, clsid))
            return kControlClasses[i];
    return nullptr;
}

} // namespace korvane::kit
