// What the push-button tests share: the built library registered for the test program, controls made
// as a script makes them (by ProgID, driven through IDispatch by name), their persisted bytes, events
// recorded by DISPID, and pictures to hand them.
#pragma once
#include "com/ComPtr.h"

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace buttontests {

template <class Interface>
using Ref = korvane::com::ComPtr<Interface>;

// Registers Plyx20.ocx beside the test program before the first test and unregisters it after the
// last; OLE stays initialised in between.
void RegisterLibraryForTests();
// The library's module as the tests loaded it.
HMODULE LibraryModule();
// Live objects of the library: S_OK when none (DllCanUnloadNow).
HRESULT LibraryCanUnload();

Ref<IDispatch> CreateByProgId(const wchar_t* progId);

// Late-bound member access by name, as a script host does it.
HRESULT PutByName(IDispatch* object, const wchar_t* name, const VARIANT& value, WORD kind = DISPATCH_PROPERTYPUT);
HRESULT GetByName(IDispatch* object, const wchar_t* name, VARIANT* value);
HRESULT CallByName(IDispatch* object, const wchar_t* name);
HRESULT PutShort(IDispatch* object, const wchar_t* name, short value);
HRESULT PutBool(IDispatch* object, const wchar_t* name, bool value);
HRESULT PutText(IDispatch* object, const wchar_t* name, const wchar_t* value);
HRESULT PutPicture(IDispatch* object, const wchar_t* name, IPictureDisp* picture);
// The member read as a number (VT_I4); -99999 when it cannot be read.
long GetLong(IDispatch* object, const wchar_t* name);
// The description of the thread's error information (empty when there is none).
std::wstring TakeErrorDescription();

// The persisted state through IPersistStreamInit.
HRESULT InitNew(IDispatch* object);
std::vector<unsigned char> SaveToStream(IDispatch* object);
HRESULT LoadFromStream(IDispatch* object, const std::vector<unsigned char>& bytes);

// A bitmap picture of the given size, in one colour; the picture owns the bitmap.
Ref<IPictureDisp> MakeBitmapPicture(int width, int height, COLORREF color);

// One event as a sink received it.
struct FiredEvent {
    DISPID dispid;
    std::vector<long> arguments;  // each argument as a number (by-reference ones dereferenced)
};

// An event sink connected to a control's event interface for its lifetime.
class EventRecorder final : public IDispatch {
public:
    EventRecorder(IDispatch* control, REFIID eventsIid);
    ~EventRecorder();
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    std::vector<FiredEvent> events;
    int Count(DISPID dispid) const;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override { return --references_; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

private:
    IID eventsIid_;
    ULONG references_ = 1;
    Ref<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

} // namespace buttontests
