#include "AutomationObject.h"

#include "AnsiString.h"

#include "ComReference.h"
#include "FrameworkLock.h"
#include "LibraryTypeLibrary.h"
#include "ResourceMessage.h"
#include "SatelliteResources.h"

#include <oleauto.h>

namespace {

// The interface (vtable) half of the row's dual interface.
HRESULT LoadDualInterfaceTypeInfo(const AutomationDescriptor& row, ITypeInfo** typeInfo)
{
    // The registered library of the row's version, else the module's own copy.
    ComReference<ITypeLib> library;
    HRESULT hr = LibraryTypeLibrary::Load(static_cast<WORD>(row.majorVersion), static_cast<WORD>(row.minorVersion), 0,
                                          library.Out());
    if (FAILED(hr))
        return hr;
    ComReference<ITypeInfo> dispatchInfo;
    hr = library->GetTypeInfoOfGuid(*row.dispatchIid, dispatchInfo.Out());
    if (FAILED(hr))
        return hr;
    HREFTYPE interfaceHalf = 0;
    hr = dispatchInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &interfaceHalf);
    if (FAILED(hr))
        return hr;
    return dispatchInfo->GetRefTypeInfo(interfaceHalf, typeInfo);
}

// ANSI text to a wide buffer of `capacity` characters; empty for null text or when it does not fit.
void ToWide(const char* text, wchar_t* wide, int capacity)
{
    wide[0] = L'\0';
    if (text == nullptr)
        return;
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, capacity) == 0)
        wide[0] = L'\0';
}

} // namespace

AutomationObject::AutomationObject(IUnknown* outer, int row, IDispatch* dispatchInterface)
    : UnknownObject(outer, dispatchInterface), row_(row), descriptor_(ObjectDescriptorTable::Automation(row))
{
}

AutomationObject::AutomationObject(IUnknown* outer, AutomationDescriptor& descriptor, IDispatch* dispatchInterface)
    : UnknownObject(outer, dispatchInterface), row_(-1), descriptor_(&descriptor)
{
}

AutomationObject::~AutomationObject()
{
    if (!holdsTypeInfo_)
        return;
    FrameworkLock::Scope lock;
    AutomationDescriptor& row = Descriptor();
    if (--row.typeInfoUsers == 0 && row.typeInfo != nullptr) {
        row.typeInfo->Release();
        row.typeInfo = nullptr;
    }
}

HRESULT AutomationObject::InternalQueryInterface(REFIID riid, void** object)
{
    if (SameIid(riid, IID_IDispatch) && DispatchInterface() != nullptr) {
        DispatchInterface()->AddRef();
        *object = DispatchInterface();
        return S_OK;
    }
    return UnknownObject::InternalQueryInterface(riid, object);
}

HRESULT STDMETHODCALLTYPE AutomationObject::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_INVALIDARG;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE AutomationObject::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo)
{
    if (index != 0)
        return DISP_E_BADINDEX;
    if (typeInfo == nullptr)
        return E_POINTER;
    *typeInfo = nullptr;
    return CachedTypeInfo(typeInfo);
}

HRESULT AutomationObject::CachedTypeInfo(ITypeInfo** typeInfo)
{
    FrameworkLock::Scope lock;
    AutomationDescriptor& row = Descriptor();
    if (row.typeInfo == nullptr) {
        ITypeInfo* loaded = nullptr;
        const HRESULT hr = LoadDualInterfaceTypeInfo(row, &loaded);
        if (FAILED(hr))
            return hr;
        row.typeInfo = loaded;
        ++row.typeInfoUsers;
        holdsTypeInfo_ = true;
    }
    row.typeInfo->AddRef();
    *typeInfo = row.typeInfo;
    return S_OK;
}

HRESULT AutomationObject::DispatchTypeInfo(REFIID riid, LCID lcid, ComReference<ITypeInfo>& typeInfo)
{
    // IDispatch callers pass no interface ID: the names and DISPIDs are those of the dual interface.
    if (!IsEqualIID(riid, IID_NULL))
        return E_INVALIDARG;
    return GetTypeInfo(0, lcid, typeInfo.Out());
}

HRESULT STDMETHODCALLTYPE AutomationObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                                          DISPID* dispids)
{
    ComReference<ITypeInfo> typeInfo;
    const HRESULT hr = DispatchTypeInfo(riid, lcid, typeInfo);
    if (FAILED(hr))
        return hr;
    return typeInfo->GetIDsOfNames(names, count, dispids);
}

HRESULT STDMETHODCALLTYPE AutomationObject::Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD flags,
                                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                                   UINT* argumentError)
{
    ComReference<ITypeInfo> typeInfo;
    const HRESULT hr = DispatchTypeInfo(riid, lcid, typeInfo);
    if (FAILED(hr))
        return hr;
    // An error left over from an earlier call must not be taken for this call's.
    SetErrorInfo(0, nullptr);
    return typeInfo->Invoke(DispatchInterface(), dispid, flags, params, result, exception, argumentError);
}

HRESULT STDMETHODCALLTYPE AutomationObject::InterfaceSupportsErrorInfo(REFIID riid)
{
    return IsEqualIID(riid, *Descriptor().dispatchIid) ? S_OK : S_FALSE;
}

HINSTANCE AutomationObject::GetResourceInstance()
{
    return ::GetResourceInstance(0);
}

HRESULT AutomationObject::RaiseError(HRESULT hr, UINT stringId, DWORD helpContext, const AnsiString* const* arguments)
{
    ComReference<ICreateErrorInfo> error;
    if (FAILED(CreateErrorInfo(error.Out())))
        return hr;
    const AutomationDescriptor& row = Descriptor();
    error->SetGUID(*row.dispatchIid);
    wchar_t helpFile[MAX_PATH];
    ToWide(row.helpFile, helpFile, MAX_PATH);
    error->SetHelpFile(helpFile);
    error->SetHelpContext(helpContext);

    char text[256];
    if (LoadStringA(GetResourceInstance(), static_cast<WORD>(stringId), text, sizeof text) <= 0)
        text[0] = '\0';
    AnsiString message(text);
    if (arguments != nullptr)
        SubstituteMarkers(&message, arguments);
    wchar_t description[256];
    ToWide(message.Text(), description, 256);
    error->SetDescription(description);

    wchar_t source[256];
    ToWide(row.objectName, source, 256);
    error->SetSource(source);

    ComReference<IErrorInfo> info;
    if (SUCCEEDED(error->QueryInterface(IID_IErrorInfo, info.OutVoid())))
        SetErrorInfo(0, info.Get());
    return hr;
}
