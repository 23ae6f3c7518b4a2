// The library's in-process server entry points. No class is creatable yet.
#include <windows.h>
#include <ole2.h>

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return S_OK;
}
