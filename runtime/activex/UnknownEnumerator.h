// IEnumUnknown over a fixed list of objects, each held until the enumerator goes.
#pragma once

#include "com/ComPtr.h"

#include <objidl.h>

#include <vector>

namespace korvane::activex {

class UnknownEnumerator final : public IEnumUnknown {
public:
    explicit UnknownEnumerator(std::vector<com::ComPtr<IUnknown>> items, size_t position = 0)
        : items_(std::move(items)), position_(position)
    {
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Next(ULONG count, IUnknown** items, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumUnknown** copy) override;

private:
    ~UnknownEnumerator() = default;
    std::vector<com::ComPtr<IUnknown>> items_;
    size_t position_;
    LONG references_ = 1;
};

} // namespace korvane::activex
