#include "RepeatTimerMap.h"

#include "LibraryLock.h"
#include "UIntHashMap.h"

namespace plyx {

namespace {

// Made when the library is loaded and destroyed when it is unloaded; entries come ten at a time.
UIntHashMap g_timers(10);

// Thread timer ids fit in 32 bits; the key is the whole id.
UINT KeyOf(UINT_PTR id) { return static_cast<UINT>(id); }

} // namespace

UINT_PTR RepeatTimerMap::Start(QvCommand* button, UINT interval, TIMERPROC procedure)
{
    LibraryLock::Scope lock;
    const UINT_PTR id = SetTimer(nullptr, 0, interval, procedure);
    if (id == 0)
        return 0;
    UINT_PTR* slot = g_timers.ValueAt(KeyOf(id));
    if (slot == nullptr) {
        KillTimer(nullptr, id);
        return 0;
    }
    *slot = reinterpret_cast<UINT_PTR>(button);
    return id;
}

void RepeatTimerMap::Stop(QvCommand* button, UINT_PTR id)
{
    if (id == 0)
        return;
    LibraryLock::Scope lock;
    UINT_PTR owner = 0;
    if (g_timers.Lookup(KeyOf(id), &owner) && owner == reinterpret_cast<UINT_PTR>(button)) {
        KillTimer(nullptr, id);
        g_timers.RemoveKey(KeyOf(id));
    }
}

QvCommand* RepeatTimerMap::Find(UINT_PTR id)
{
    LibraryLock::Scope lock;
    UINT_PTR owner = 0;
    if (!g_timers.Lookup(KeyOf(id), &owner))
        return nullptr;
    return reinterpret_cast<QvCommand*>(owner);
}

int RepeatTimerMap::Count()
{
    LibraryLock::Scope lock;
    return g_timers.Count();
}

} // namespace plyx
