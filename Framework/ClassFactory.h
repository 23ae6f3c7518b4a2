// The class factory handed out by DllGetClassObject: one per call, for one row of ObjectDescriptorTable.
// A live factory counts in the module object count.
#pragma once
#include <windows.h>
#include <ole2.h>

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(int row);
    ~ClassFactory();
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    // Creates an object of the row. With an outer unknown only IID_IUnknown may be asked for, and the
    // object's private unknown is handed out. *object is null on every failure.
    static HRESULT CreateObject(IUnknown* outer, int row, REFIID riid, void** object);

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** object) override;
    STDMETHOD(LockServer)(BOOL lock) override;

private:
    ULONG count_ = 1;  // apartment-threaded: a plain count
    int row_;
};
