// A test control sited in a recording container and active in place with a window of its own, and an
// event sink that records what the control fires, in order, with the thread it arrived on.
#pragma once
#include "QvTestControl.h"
#include "RecordingContainer.h"

#include <string>
#include <vector>

struct RecordedControlEvent {
    int control;  // the sink's number
    DISPID dispid;
    DWORD thread;
    std::vector<long> arguments;
};

class RecordingEventSink final : public IDispatch {
public:
    RecordingEventSink(int number, std::vector<RecordedControlEvent>& log) : number_(number), log_(log) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

    ULONG references = 0;

private:
    int number_;
    std::vector<RecordedControlEvent>& log_;
};

// Connects the sink to the control's event point for the lifetime of the object.
class EventConnection {
public:
    EventConnection(QvTestControl* control, IDispatch* sink) : EventConnection(control->PrivateUnknown(), sink) {}
    EventConnection(IUnknown* control, IDispatch* sink);
    ~EventConnection();
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

private:
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
};

// Sites `control` in `container`, starts it new and activates it with a window of its own.
void ActivateWindowed(HeldQvControl& control, RecordingContainer& container);
void CloseControl(HeldQvControl& control);

// The events of one DISPID in the log, as "<control>:<dispid>" strings, in order.
std::vector<std::string> EventNames(const std::vector<RecordedControlEvent>& log);

// Dispatches the thread's messages until `done` holds or the time is up; true when it held.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds = 3000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
