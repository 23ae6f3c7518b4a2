// A real COM sink for the tests: an event sink (IDispatch, and the test's event interface when asked
// to) and a property-notify sink, which records what reaches it and can run an action on each call.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <string>
#include <vector>

// The event interface of the test objects.
// {5A0C3E11-7D2B-4C39-9E61-2F0B7A1D4C01}
constexpr IID TestEventsIid = {0x5a0c3e11, 0x7d2b, 0x4c39, {0x9e, 0x61, 0x2f, 0x0b, 0x7a, 0x1d, 0x4c, 0x01}};

class TestSink : public IDispatch, public IPropertyNotifySink {
public:
    // `answersEvents`: the sink answers TestEventsIid besides IDispatch.
    explicit TestSink(std::vector<std::string>* log, const char* name, bool answersEvents = true)
        : log_(log), name_(name), answersEvents_(answersEvents) {}

    // Runs on each Invoke, OnChanged or OnRequestEdit, before the call is recorded.
    std::function<void(DISPID, DISPPARAMS*)> onCall;
    // What OnRequestEdit answers.
    HRESULT requestEditAnswer = S_OK;
    bool destroyed() const { return destroyed_; }
    LONG References() const { return references_; }
    // What the sink's own test code holds; the object stays allocated (for checks) after its last
    // Release and is freed by the test.
    void Destroy() { delete this; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)
            || (answersEvents_ && IsEqualIID(iid, TestEventsIid)))
            *object = static_cast<IDispatch*>(this);
        else if (IsEqualIID(iid, IID_IPropertyNotifySink))
            *object = static_cast<IPropertyNotifySink*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        if (--references_ == 0)
            destroyed_ = true;
        return ULONG(references_);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO*, UINT*) override
    {
        Record("Invoke", dispid, parameters);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override
    {
        Record("OnChanged", dispid, nullptr);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID dispid) override
    {
        Record("OnRequestEdit", dispid, nullptr);
        return requestEditAnswer;
    }

private:
    virtual ~TestSink() = default;

    void Record(const char* call, DISPID dispid, DISPPARAMS* parameters)
    {
        if (destroyed_)
            log_->push_back(name_ + " called after its last release");
        if (onCall)
            onCall(dispid, parameters);
        // The caller must hold the sink for the whole call, whatever the call did.
        if (destroyed_)
            log_->push_back(name_ + " released while in use");
        log_->push_back(name_ + " " + call + " " + std::to_string(dispid));
    }

    std::vector<std::string>* log_;
    std::string name_;
    bool answersEvents_;
    LONG references_ = 1;
    bool destroyed_ = false;
};
