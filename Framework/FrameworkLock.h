// The framework critical section: guards the object-being-created hand-off, one-time window-class
// registration, the per-class type-information caches, the screen-resolution cache and the satellite
// resource library.
#pragma once
#include <windows.h>

class FrameworkLock {
public:
    static void Initialize();
    static void Delete();
    static void Enter();
    static void Leave();

    // Holds the lock for the lifetime of the object.
    class Scope {
    public:
        Scope() { FrameworkLock::Enter(); }
        ~Scope() { FrameworkLock::Leave(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };
};
