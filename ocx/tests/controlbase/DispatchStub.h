// An IDispatch of a test's own, living on the test's stack: it counts its references, answers
// IUnknown, IDispatch and the controls' event interface, and has no type information. A host's event
// sink derives from it and takes Invoke.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <Plyx.h>

class DispatchStub : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        const bool known = riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DQvFrameEvents;
        *object = known ? static_cast<IDispatch*>(this) : nullptr;
        if (!known)
            return E_NOINTERFACE;
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
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    ULONG references = 0;

protected:
    ~DispatchStub() = default;
};
