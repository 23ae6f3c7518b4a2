// Small sinks a test hands to a control: an event sink, a property-notify sink and a view advise
// sink, each counting what it is told. They live on the test's stack; their counts only check balance.
// The property-notify sink is whole in this header, for test programs of other controls.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <vector>

class CountingEventSink final : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

    ULONG references = 0;
    std::vector<DISPID> events;
    // The arguments of the last event, first parameter first, as numbers (by-reference ones read through).
    std::vector<long> lastArguments;
    // Handlers that clear the key code of KeyDown and KeyUp, or the character of KeyPress.
    bool clearKeyCode = false;
    bool clearKeyAscii = false;
};

class CountingPropertyNotifySink final : public IPropertyNotifySink {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IPropertyNotifySink)
            return E_NOINTERFACE;
        *object = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP OnChanged(DISPID dispid) override
    {
        changed.push_back(dispid);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    ULONG references = 0;
    std::vector<DISPID> changed;
};

class CountingAdviseSink final : public IAdviseSinkEx {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG) override
    {
        if (aspect == DVASPECT_CONTENT)
            ++viewChanges;
    }
    STDMETHODIMP_(void) OnRename(IMoniker*) override {}
    STDMETHODIMP_(void) OnSave() override { ++saves; }
    STDMETHODIMP_(void) OnClose() override {}
    STDMETHODIMP_(void) OnViewStatusChange(DWORD) override {}

    ULONG references = 0;
    int viewChanges = 0;
    int saves = 0;
};
