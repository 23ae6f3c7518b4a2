// The library's in-process server: the entry routine and the four exports.
#include "ClassFactory.h"
#include "FrameworkLock.h"
#include "LibraryHooks.h"
#include "Module.h"
#include "ObjectDescriptor.h"
#include "ParkingWindow.h"
#include "ReflectorWindow.h"
#include "SatelliteResources.h"
#include "ServerRegistration.h"

#include <new>

namespace {

// The window classes of the controls whose windows were created in this process.
void UnregisterControlWindowClasses()
{
    for (int row = 0; ObjectDescriptorTable::rows[row].kind != ObjectKindEndOfTable; ++row) {
        ControlDescriptor* control = ObjectDescriptorTable::Control(row);
        if (control != nullptr && control->windowClassRegistered) {
            UnregisterClassA(control->windowClassName, Module::Instance());
            control->windowClassRegistered = 0;
        }
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        if (!Module::Attach(instance))
            return FALSE;
        return LibraryProcessAttach(instance) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        UnregisterControlWindowClasses();
        ParkingWindow::Destroy();
        ReflectorWindow::Unregister();
        LibraryProcessDetach();
        ReleaseResourceInstances();
        // Last: the clean-up above may take the lock.
        Module::Detach();
        FrameworkLock::Delete();
        return TRUE;
    default:
        return TRUE;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (object == nullptr)
        return E_INVALIDARG;
    *object = nullptr;
    const int row = ObjectDescriptorTable::FindClsid(clsid);
    if (row < 0)
        return CLASS_E_CLASSNOTAVAILABLE;
    ClassFactory* factory = new (std::nothrow) ClassFactory(row);
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, object);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return Module::ObjectCount() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    const HRESULT hr = ServerRegistration::RegisterObjects();
    if (FAILED(hr))
        return hr;
    return LibraryRegisterServer() ? S_OK : E_FAIL;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    const HRESULT hr = ServerRegistration::UnregisterObjects();
    if (FAILED(hr))
        return hr;
    return LibraryUnregisterServer() ? S_OK : E_FAIL;
}
