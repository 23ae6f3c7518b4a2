// An object with a dual interface described by the library's type library: IDispatch through the
// interface's type information (cached per descriptor row), ISupportErrorInfo for that interface, and
// RaiseError, the one way the library reports errors to a host.
//
// A derived class inherits its dual interface and ISupportErrorInfo and forwards their methods here
// with DECLARE_AUTOMATION_DISPATCH and DECLARE_SUPPORT_ERROR_INFO.
#pragma once
#include "ComReference.h"
#include "ControlErrorCodes.h"
#include "ObjectDescriptor.h"
#include "UnknownObject.h"

class AnsiString;

class AutomationObject : public UnknownObject {
public:
    // row: the object's row in ObjectDescriptorTable.
    AutomationObject(IUnknown* outer, int row, IDispatch* dispatchInterface);
    // An object described by a descriptor outside the table (an object that is never created through
    // the table, but has a dual interface of its own); its row index is -1.
    AutomationObject(IUnknown* outer, AutomationDescriptor& descriptor, IDispatch* dispatchInterface);
    ~AutomationObject() override;

    // IDispatch answers with the dual interface.
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;

    STDMETHOD(GetTypeInfoCount)(UINT* count);
    STDMETHOD(GetTypeInfo)(UINT index, LCID lcid, ITypeInfo** typeInfo);
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* dispids);
    STDMETHOD(Invoke)(DISPID dispid, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError);
    // S_OK for the row's dual interface, else S_FALSE.
    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid);
    // The module whose string resources the object's messages come from.
    virtual HINSTANCE GetResourceInstance();

    // Sets the thread's error information (the row's dual IID as GUID, its help file and object name,
    // the given help context, and string `stringId` with its markers |1..|9 replaced by the null-ended
    // `arguments`, at most nine) and returns hr.
    HRESULT RaiseError(HRESULT hr, UINT stringId, DWORD helpContext = 0,
                       const AnsiString* const* arguments = nullptr);
    HRESULT RaiseError(const ControlError& error) { return RaiseError(error.hr, error.stringId); }

    int DescriptorRow() const { return row_; }
    AutomationDescriptor& Descriptor() const { return *descriptor_; }

private:
    // The row's cached type information (filled on first use), AddRef'd for the caller.
    HRESULT CachedTypeInfo(ITypeInfo** typeInfo);
    // The type information for a GetIDsOfNames or Invoke call, which must name no interface.
    HRESULT DispatchTypeInfo(REFIID riid, LCID lcid, ComReference<ITypeInfo>& typeInfo);

    int row_;
    AutomationDescriptor* descriptor_;
    bool holdsTypeInfo_ = false;
};

// Declares, inside a class derived (directly or not) from AutomationObject whose immediate base is
// `Base`, the IDispatch methods of its dual interface, forwarded to the framework's implementation.
#define DECLARE_AUTOMATION_DISPATCH(Base)                                                         \
    STDMETHOD(GetTypeInfoCount)(UINT* count) override { return Base::GetTypeInfoCount(count); }   \
    STDMETHOD(GetTypeInfo)(UINT index, LCID lcid, ITypeInfo** typeInfo) override                  \
    {                                                                                             \
        return Base::GetTypeInfo(index, lcid, typeInfo);                                          \
    }                                                                                             \
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,                 \
                             DISPID* dispids) override                                            \
    {                                                                                             \
        return Base::GetIDsOfNames(riid, names, count, lcid, dispids);                            \
    }                                                                                             \
    STDMETHOD(Invoke)(DISPID dispid, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,      \
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override        \
    {                                                                                             \
        return Base::Invoke(dispid, riid, lcid, flags, params, result, exception, argumentError); \
    }

// The same for ISupportErrorInfo.
#define DECLARE_SUPPORT_ERROR_INFO(Base)                                                          \
    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid) override                                   \
    {                                                                                             \
        return Base::InterfaceSupportsErrorInfo(riid);                                            \
    }
