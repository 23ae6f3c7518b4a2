#include "TestSinks.h"

#include "TestControlLibrary.h"

HRESULT STDMETHODCALLTYPE CountingEventSink::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DTestControlEvents)
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CountingPropertyNotifySink::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IPropertyNotifySink)
        return E_NOINTERFACE;
    *object = static_cast<IPropertyNotifySink*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CountingAdviseSink::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IAdviseSink && riid != IID_IAdviseSinkEx)
        return E_NOINTERFACE;
    *object = static_cast<IAdviseSinkEx*>(this);
    AddRef();
    return S_OK;
}
