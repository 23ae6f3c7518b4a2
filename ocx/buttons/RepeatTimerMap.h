// The process's auto-repeat timers: thread timers without a window, each mapped from its whole id to
// the command button that runs it, so that a tick finds its button. Every access takes LibraryLock.
#pragma once
#include <windows.h>

namespace plyx {

class QvCommand;

class RepeatTimerMap {
public:
    // Starts a thread timer of `interval` ms for the button; 0 when the system gives none.
    static UINT_PTR Start(QvCommand* button, UINT interval, TIMERPROC procedure);
    // Kills the timer when the map holds it for this button and removes its entry.
    static void Stop(QvCommand* button, UINT_PTR id);
    // The button a timer belongs to; null for a timer the map does not hold.
    static QvCommand* Find(UINT_PTR id);
    // Timers in the map (for tests).
    static int Count();
};

} // namespace plyx
