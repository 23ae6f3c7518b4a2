// A critical section of the process, made once when the module is attached and let go when it is
// detached, used through static members so that every part of the module reaches the same one. Each
// lock is a class of its own deriving from ProcessLock<itself>.
#pragma once
#include <windows.h>

template <class Tag>
class ProcessLock {
public:
    static void Initialize()
    {
        if (!initialized_) {
            InitializeCriticalSection(&section_);
            initialized_ = true;
        }
    }
    static void Delete()
    {
        if (initialized_) {
            DeleteCriticalSection(&section_);
            initialized_ = false;
        }
    }
    static void Enter() { EnterCriticalSection(&section_); }
    static void Leave() { LeaveCriticalSection(&section_); }

    // Holds the lock for the lifetime of the object.
    class Scope {
    public:
        Scope() { Enter(); }
        ~Scope() { Leave(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

private:
    static inline CRITICAL_SECTION section_;
    static inline bool initialized_ = false;
};
