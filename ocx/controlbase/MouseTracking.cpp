#include "MouseTracking.h"

#include "IQvBase.h"
#include "CommonEvents.h"
#include "KeyState.h"
#include "LibraryLock.h"

#include <new>

namespace plyx {

// What a tracking control keeps so that other threads can reach its own thread.
class TrackingSession {
public:
    HWND window = nullptr;
    DWORD threadId = 0;
    // Set when the control stops tracking: ends its watcher.
    HANDLE stop = nullptr;
    // One exit request in flight at a time.
    volatile LONG exitRequested = 0;
};

namespace {

// The shared block: the hook word that every version of the library reads as its first four bytes,
// then who owns it, so that a word left behind by a process that ended can be cleared.
struct SharedBlock {
    volatile LONG hookWord;
    volatile LONG ownerProcess;
    volatile LONG ownerStartLow;
    volatile LONG ownerStartHigh;
};

const char* const SharedDataName = "QvPlyxSharedData";
const char* const MouseExitEventName = "MouseExitEvent";
const char* const RequestWindowClass = "QvPlyxTrackingRequests";

// Messages of the request window. WM_APP + 1: the mouse left, lParam the screen point. WM_APP + 2:
// the watcher ended, lParam the control whose reference it held.
constexpr UINT RequestExit = WM_APP + 1;
constexpr UINT WatcherEnded = WM_APP + 2;

// How long an entering control waits for the tracking one to let go, and how often it looks.
constexpr DWORD HandOverWait = 100;
constexpr DWORD HandOverStep = 5;
// The watcher's wait, renewed while its control tracks.
constexpr DWORD WatcherWait = 5000;

HANDLE g_mapping = nullptr;
SharedBlock* g_shared = nullptr;
HANDLE g_exitEvent = nullptr;

HMODULE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&MouseTracking::MouseHookProc), &module);
    return module;
}

LONG WordOf(HHOOK hook)
{
    return static_cast<LONG>(reinterpret_cast<UINT_PTR>(hook));
}

FILETIME ProcessStart(HANDLE process)
{
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    return created;
}

POINT PointOf(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LPARAM LParamOf(POINT point)
{
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

struct WatcherStart {
    IQvBase* control;
    HWND window;
    HANDLE stop;
    HMODULE module;
};

DWORD WINAPI MouseExitWatcher(void* parameter)
{
    WatcherStart start = *static_cast<WatcherStart*>(parameter);
    delete static_cast<WatcherStart*>(parameter);
    if (g_exitEvent != nullptr)
        ResetEvent(g_exitEvent);
    HANDLE waits[] = {start.stop, g_exitEvent};
    const DWORD count = g_exitEvent != nullptr ? 2 : 1;
    for (;;) {
        const DWORD result = WaitForMultipleObjects(count, waits, FALSE, WatcherWait);
        if (result == WAIT_TIMEOUT)
            continue;
        if (result == WAIT_OBJECT_0 + 1 && start.control->IsTracking()) {
            POINT cursor = {};
            GetCursorPos(&cursor);
            MouseTracking::PostExitRequest(*start.control, cursor);
        }
        break;
    }
    CloseHandle(start.stop);
    // The reference is let go on the control's own thread, where the control may then be destroyed.
    if (!PostMessageA(start.window, WatcherEnded, 0, reinterpret_cast<LPARAM>(start.control)))
        start.control->PrivateUnknown()->Release();
    FreeLibraryAndExitThread(start.module, 0);
}

LRESULT CALLBACK RequestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case RequestExit: {
        auto* control = reinterpret_cast<IQvBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (control != nullptr) {
            control->PrivateUnknown()->AddRef();
            control->ExitAt(PointOf(lParam));
            control->PrivateUnknown()->Release();
        }
        return 0;
    }
    case WatcherEnded:
        reinterpret_cast<IQvBase*>(lParam)->PrivateUnknown()->Release();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterRequestWindowClass(HMODULE module)
{
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(module, RequestWindowClass, &windowClass))
        return true;
    windowClass.lpfnWndProc = RequestWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = RequestWindowClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

void InitSharedData()
{
    LibraryLock::Initialize();
    g_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedBlock),
                                   SharedDataName);
    if (g_mapping != nullptr) {
        g_shared = static_cast<SharedBlock*>(MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
        if (g_shared == nullptr) {
            CloseHandle(g_mapping);
            g_mapping = nullptr;
        }
    }
    g_exitEvent = CreateEventA(nullptr, FALSE, FALSE, MouseExitEventName);
}

void FreeSharedData()
{
    LibraryLock::Delete();
    if (g_shared != nullptr)
        UnmapViewOfFile(const_cast<SharedBlock*>(g_shared));
    if (g_mapping != nullptr)
        CloseHandle(g_mapping);
    if (g_exitEvent != nullptr)
        CloseHandle(g_exitEvent);
    g_shared = nullptr;
    g_mapping = nullptr;
    g_exitEvent = nullptr;
    UnregisterClassA(RequestWindowClass, ThisModule());
}

DWORD MouseTracking::SharedHookWord()
{
    return g_shared != nullptr ? static_cast<DWORD>(g_shared->hookWord) : 0;
}

DWORD MouseTracking::SharedOwnerProcess()
{
    return g_shared != nullptr && g_shared->hookWord != 0 ? static_cast<DWORD>(g_shared->ownerProcess) : 0;
}

void MouseTracking::SignalExit()
{
    if (g_exitEvent != nullptr)
        SetEvent(g_exitEvent);
}

bool MouseTracking::RecoverAbandonedWord()
{
    if (g_shared == nullptr)
        return false;
    const LONG word = g_shared->hookWord;
    const DWORD owner = static_cast<DWORD>(g_shared->ownerProcess);
    if (word == 0 || owner == GetCurrentProcessId())
        return false;
    FILETIME recorded = {static_cast<DWORD>(g_shared->ownerStartLow), static_cast<DWORD>(g_shared->ownerStartHigh)};
    bool alive = false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner);
    if (process != nullptr) {
        DWORD exitCode = 0;
        const FILETIME started = ProcessStart(process);
        // A process id can be taken again by a new process: the start time tells them apart.
        alive = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE &&
                CompareFileTime(&started, &recorded) == 0;
        CloseHandle(process);
    } else {
        // A process we may not open is still there.
        alive = GetLastError() == ERROR_ACCESS_DENIED;
    }
    if (alive)
        return false;
    return InterlockedCompareExchange(&g_shared->hookWord, 0, word) == word;
}

void MouseTracking::Publish(HHOOK hook)
{
    if (g_shared == nullptr)
        return;
    const FILETIME started = ProcessStart(GetCurrentProcess());
    InterlockedExchange(&g_shared->ownerProcess, static_cast<LONG>(GetCurrentProcessId()));
    InterlockedExchange(&g_shared->ownerStartLow, static_cast<LONG>(started.dwLowDateTime));
    InterlockedExchange(&g_shared->ownerStartHigh, static_cast<LONG>(started.dwHighDateTime));
    InterlockedExchange(&g_shared->hookWord, WordOf(hook));
}

void MouseTracking::Withdraw(HHOOK hook)
{
    if (g_shared != nullptr)
        InterlockedCompareExchange(&g_shared->hookWord, 0, WordOf(hook));
}

HWND MouseTracking::RequestWindow(IQvBase& control)
{
    if (control.tracking_ == nullptr) {
        control.tracking_ = new (std::nothrow) TrackingSession();
        if (control.tracking_ == nullptr)
            return nullptr;
    }
    TrackingSession& session = *control.tracking_;
    if (session.window == nullptr) {
        HMODULE module = ThisModule();
        if (!RegisterRequestWindowClass(module))
            return nullptr;
        session.window = CreateWindowExA(0, RequestWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module,
                                         nullptr);
        if (session.window == nullptr)
            return nullptr;
        SetWindowLongPtrA(session.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
        session.threadId = GetCurrentThreadId();
    }
    return session.window;
}

void MouseTracking::PostExitRequest(IQvBase& control, POINT screenPoint)
{
    TrackingSession* session = control.tracking_;
    if (session == nullptr || session->window == nullptr)
        return;
    if (InterlockedExchange(&session->exitRequested, 1) == 0)
        PostMessageA(session->window, RequestExit, 0, LParamOf(screenPoint));
}

bool MouseTracking::StartWatcher(IQvBase& control)
{
    TrackingSession* session = control.tracking_;
    if (session == nullptr)
        return false;
    if (session->stop != nullptr)
        CloseHandle(session->stop);
    session->stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto* start = new (std::nothrow) WatcherStart{&control, session->window, nullptr, nullptr};
    if (session->stop == nullptr || start == nullptr ||
        !DuplicateHandle(GetCurrentProcess(), session->stop, GetCurrentProcess(), &start->stop, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        delete start;
        return false;
    }
    // The watcher keeps the library loaded and the control alive while it runs.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&MouseExitWatcher),
                       &start->module);
    control.PrivateUnknown()->AddRef();
    HANDLE thread = CreateThread(nullptr, 0, MouseExitWatcher, start, 0, nullptr);
    if (thread == nullptr) {
        CloseHandle(start->stop);
        FreeLibrary(start->module);
        delete start;
        control.PrivateUnknown()->Release();
        return false;
    }
    CloseHandle(thread);
    return true;
}

void MouseTracking::EndSession(IQvBase& control)
{
    TrackingSession* session = control.tracking_;
    if (session == nullptr)
        return;
    if (session->stop != nullptr)
        CloseHandle(session->stop);
    if (session->window != nullptr)
        DestroyWindow(session->window);
    delete session;
    control.tracking_ = nullptr;
}

LRESULT CALLBACK MouseTracking::MouseHookProc(int code, WPARAM message, LPARAM data)
{
    const DWORD word = SharedHookWord();
    if (code >= 0 && word != 0 && (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) && data != 0) {
        const POINT point = reinterpret_cast<const MOUSEHOOKSTRUCT*>(data)->pt;
        bool found = false;
        {
            LibraryLock::Scope lock;
            for (ControlInstanceNode* node = ControlInstanceList::Head(); node != nullptr; node = node->next) {
                IQvBase& control = *node->control;
                if (!control.IsTracking() || static_cast<DWORD>(WordOf(control.mouseHook_)) != word)
                    continue;
                found = true;
                if (!control.IsCursorInside(point))
                    PostExitRequest(control, point);
                break;
            }
        }
        // The tracking control lives in another process: its watcher hears the event.
        if (!found)
            SignalExit();
    }
    // The message always goes on to the other hooks.
    return CallNextHookEx(nullptr, code, message, data);
}

// ---- The control's side ----

bool IQvBase::IsTracking() const
{
    return mouseHook_ != nullptr;
}

bool IQvBase::IsCursorInside(POINT screenPoint)
{
    RECT rect = {};
    GetControlRect(&rect);
    if (UsesPositionRect() || ControlWindow() == nullptr) {
        HWND container = ParentWindow();
        if (container == nullptr)
            return false;
        MapWindowPoints(container, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    return PtInRect(&rect, screenPoint) != FALSE;
}

POINT IQvBase::ClientPointOf(POINT screenPoint)
{
    HWND window = ControlWindow() != nullptr ? ControlWindow() : ParentWindow();
    if (window != nullptr)
        ScreenToClient(window, &screenPoint);
    return screenPoint;
}

void IQvBase::ExitAt(POINT screenPoint)
{
    const POINT client = ClientPointOf(screenPoint);
    MouseExit(GetMouseButtons(), GetShiftState(), client.x, client.y);
}

void IQvBase::MouseMoved(LPARAM lParam)
{
    POINT cursor = {};
    if (!GetCursorPos(&cursor) || !IsCursorInside(cursor))
        return;
    if (MouseTracking::SharedHookWord() != 0 && !IsTracking()) {
        // Another control of this process that tracks gives up first, on its own thread.
        IQvBase* tracking = nullptr;
        bool sameThread = false;
        {
            LibraryLock::Scope lock;
            for (ControlInstanceNode* node = ControlInstanceList::Head(); node != nullptr; node = node->next)
                if (node->control != this && node->control->IsTracking()) {
                    tracking = node->control;
                    sameThread = tracking->tracking_ != nullptr &&
                                 tracking->tracking_->threadId == GetCurrentThreadId();
                    if (!sameThread)
                        MouseTracking::PostExitRequest(*tracking, cursor);
                    break;
                }
        }
        if (tracking != nullptr && sameThread)
            tracking->ExitAt(cursor);
        MouseTracking::SignalExit();
    }
    MouseEnter(GetMouseButtons(), GetShiftState(), static_cast<short>(LOWORD(lParam)),
               static_cast<short>(HIWORD(lParam)));
}

BOOL IQvBase::MouseEnter(short button, short shift, LONG x, LONG y)
{
    if (IsTracking() || DesignMode())
        return FALSE;
    MouseTracking::RecoverAbandonedWord();
    if (MouseTracking::SharedHookWord() != 0) {
        // Another control tracks: it is asked to let go, and has a moment to do it.
        MouseTracking::SignalExit();
        for (DWORD waited = 0; MouseTracking::SharedHookWord() != 0 && waited < HandOverWait; waited += HandOverStep)
            Sleep(HandOverStep);
        if (MouseTracking::SharedHookWord() != 0)
            return FALSE;
    }
    if (MouseTracking::RequestWindow(*this) == nullptr)
        return FALSE;
    InterlockedExchange(&tracking_->exitRequested, 0);
    FireEvent(&MouseEnterEvent, button, shift, x, y);
    HHOOK hook = SetWindowsHookExA(WH_MOUSE, MouseTracking::MouseHookProc, ThisModule(), 0);
    if (hook == nullptr)
        return TRUE;
    InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&mouseHook_), hook);
    MouseTracking::Publish(hook);
    if (!MouseTracking::StartWatcher(*this))
        StopTracking();
    return TRUE;
}

bool IQvBase::StopTracking()
{
    // Whoever takes the hook out of the control is the one that ends the tracking.
    HHOOK hook = static_cast<HHOOK>(InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&mouseHook_), nullptr));
    if (hook == nullptr)
        return false;
    UnhookWindowsHookEx(hook);
    MouseTracking::Withdraw(hook);
    if (tracking_ != nullptr && tracking_->stop != nullptr)
        SetEvent(tracking_->stop);
    return true;
}

void IQvBase::MouseExit(short button, short shift, LONG x, LONG y)
{
    if (StopTracking())
        FireEvent(&MouseExitEvent, button, shift, x, y);
}

} // namespace plyx
