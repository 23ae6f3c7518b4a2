// An event sink for the tests of the check box and the option button: records each event's DISPID
// and its first argument as a number (read through a reference), and may run a handler inside the
// event. It answers IDispatch and the one event interface it is told.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <vector>

class RecordingEventSink final : public IDispatch {
public:
    struct Event {
        DISPID dispid;
        long argument;
        bool operator==(const Event& other) const { return dispid == other.dispid && argument == other.argument; }
    };

    explicit RecordingEventSink(const IID& events = IID_IDispatch) : events_(events) {}
    void Accept(const IID& events) { events_ = events; }

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != events_)
            return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        long argument = 0;
        if (params != nullptr && params->cArgs > 0) {
            // The first parameter is the last argument.
            VARIANT value;
            VariantInit(&value);
            if (SUCCEEDED(VariantCopyInd(&value, &params->rgvarg[params->cArgs - 1])) &&
                SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
                argument = value.lVal;
            VariantClear(&value);
        }
        events.push_back({dispid, argument});
        if (handler)
            handler(dispid);
        return S_OK;
    }

    // How many of the events so far were `dispid`.
    int Count(DISPID dispid) const
    {
        int count = 0;
        for (const Event& event : events)
            count += event.dispid == dispid ? 1 : 0;
        return count;
    }

    ULONG references = 0;
    std::vector<Event> events;
    std::function<void(DISPID)> handler;

private:
    IID events_;
};
