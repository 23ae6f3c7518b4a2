// The entry points of a control library built on the kit; compiled into each control library.
#include "ClassFactory.h"
#include "ControlClass.h"
#include "ControlWindow.h"
#include "Module.h"
#include "Registration.h"

using namespace korvane::kit;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Module::SetInstance(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        UnregisterControlWindowClasses();
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const ControlClass* controlClass = FindControlClass(clsid);
    if (!controlClass)
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory(*controlClass);
    HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return Module::CanUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return RegisterControlClasses();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return UnregisterControlClasses();
}
