#include "UnknownEnumerator.h"

namespace korvane::activex {

STDMETHODIMP UnknownEnumerator::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumUnknown)) {
        *out = static_cast<IEnumUnknown*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) UnknownEnumerator::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) UnknownEnumerator::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP UnknownEnumerator::Next(ULONG count, IUnknown** items, ULONG* fetched)
{
    if (!items || (count > 1 && !fetched))
        return E_POINTER;
    ULONG given = 0;
    while (given < count && position_ < items_.size())
        items_[position_++].CopyTo(&items[given++]);
    if (fetched)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP UnknownEnumerator::Skip(ULONG count)
{
    const size_t left = items_.size() - position_;
    if (count > left) {
        position_ = items_.size();
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

STDMETHODIMP UnknownEnumerator::Reset()
{
    position_ = 0;
    return S_OK;
}

STDMETHODIMP UnknownEnumerator::Clone(IEnumUnknown** copy)
{
    if (!copy)
        return E_POINTER;
    *copy = new UnknownEnumerator(items_, position_);
    return S_OK;
}

} // namespace korvane::activex
