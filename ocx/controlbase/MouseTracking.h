// Mouse enter and exit across windows, threads and processes. A control's window hears the mouse
// arrive but not leave, so the control that the mouse entered installs a mouse hook for all threads
// and starts a watcher thread; a word shared by every process that loads the library names the hook
// of the one control that tracks, and a shared auto-reset event asks that control to let go. Whoever
// notices the exit (the hook in any thread of the tracking process, the watcher for another process,
// a control entered next) hands it to the tracking control's own thread, where MouseExit fires.
#pragma once
#include <windows.h>

namespace plyx {

class IQvBase;

// The shared word and event, made when the library is attached and let go when it is detached. The
// attach also makes LibraryLock.
void InitSharedData();
void FreeSharedData();

class MouseTracking {
public:
    // The hook handle of the tracking control (0 when none), as every process sees it.
    static DWORD SharedHookWord();
    // The process that owns the shared word's hook (0 when none).
    static DWORD SharedOwnerProcess();
    // Clears a word whose owning process has ended (it could not clear it itself); true when it did.
    static bool RecoverAbandonedWord();
    // Asks the tracking control to let go.
    static void SignalExit();

    static LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM data);

    // For IQvBase.
    static void Publish(HHOOK hook);
    static void Withdraw(HHOOK hook);
    static bool StartWatcher(IQvBase& control);
    // The window of the control's thread that receives exit requests; made on first use.
    static HWND RequestWindow(IQvBase& control);
    static void PostExitRequest(IQvBase& control, POINT screenPoint);
    static void EndSession(IQvBase& control);
};

} // namespace plyx
