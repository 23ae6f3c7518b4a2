// IProvideClassInfo of the control: its coclass from the registered type library, or from the module's
// own copy where the registered one is not found for the current locale.
#include "ComReference.h"
#include "ReleaseInterface.h"
#include "LibraryLocale.h"
#include "LibraryTypeLibrary.h"
#include "OleControl.h"

HRESULT STDMETHODCALLTYPE OleControl::ProvideClassInfoPart::GetClassInfo(ITypeInfo** typeInfo)
{
    if (typeInfo == nullptr)
        return E_POINTER;
    *typeInfo = nullptr;
    const ControlDescriptor& row = control.ControlRow();
    ComReference<ITypeLib> library;
    HRESULT hr = LibraryTypeLibrary::Load(static_cast<WORD>(row.majorVersion), static_cast<WORD>(row.minorVersion),
                                          LibraryLocale::Current(), library.Out());
    if (FAILED(hr))
        return hr;
    hr = library->GetTypeInfoOfGuid(*row.clsid, typeInfo);
    if (FAILED(hr)) {
        *typeInfo = nullptr;
        return hr;
    }
    return S_OK;
}
