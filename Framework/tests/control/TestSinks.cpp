#include "TestSinks.h"

#include "TestControlLibrary.h"

#include <olectl.h>

HRESULT STDMETHODCALLTYPE CountingEventSink::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DTestControlEvents)
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
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

HRESULT STDMETHODCALLTYPE CountingEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                    EXCEPINFO*, UINT*)
{
    events.push_back(dispid);
    lastArguments.clear();
    const UINT count = params != nullptr ? params->cArgs : 0;
    for (UINT i = count; i-- > 0;) {
        const VARIANTARG& argument = params->rgvarg[i];
        switch (argument.vt) {
        case VT_I2: lastArguments.push_back(argument.iVal); break;
        case VT_I4: lastArguments.push_back(argument.lVal); break;
        case VT_I2 | VT_BYREF: lastArguments.push_back(*argument.piVal); break;
        default: lastArguments.push_back(-99999); break;
        }
    }
    // KeyCode is the first parameter of KeyDown and KeyUp; KeyAscii the only one of KeyPress.
    if (clearKeyCode && (dispid == DISPID_KEYDOWN || dispid == DISPID_KEYUP) && count == 2 &&
        params->rgvarg[1].vt == (VT_I2 | VT_BYREF))
        *params->rgvarg[1].piVal = 0;
    if (clearKeyAscii && dispid == DISPID_KEYPRESS && count == 1 && params->rgvarg[0].vt == (VT_I2 | VT_BYREF))
        *params->rgvarg[0].piVal = 0;
    return S_OK;
}
