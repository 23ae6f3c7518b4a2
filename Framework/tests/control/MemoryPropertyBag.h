// A property bag held in memory, for saving and loading controls by name in tests.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>

class MemoryPropertyBag final : public IPropertyBag {
public:
    MemoryPropertyBag() = default;
    ~MemoryPropertyBag();
    MemoryPropertyBag(const MemoryPropertyBag&) = delete;
    MemoryPropertyBag& operator=(const MemoryPropertyBag&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* errorLog) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    void SetLong(const wchar_t* name, LONG value);
    // Takes over the variant.
    void Set(const wchar_t* name, const VARIANT& value);
    void Remove(const wchar_t* name);
    bool Has(const wchar_t* name) const { return values_.count(name) != 0; }
    // The value as a number; -1 when absent or not a number.
    LONG Long(const wchar_t* name) const;

    ULONG references = 0;
    HRESULT writeAnswer = S_OK;

private:
    std::map<std::wstring, VARIANT> values_;
};
