#include "VariantEnumerator.h"

#include <new>

HRESULT VariantEnumerator::Create(SAFEARRAY* names, LONG count, IUnknown** enumerator)
{
    VariantEnumerator* made = nullptr;
    const HRESULT hr = Make(names, count, 0, &made);
    if (FAILED(hr))
        return hr;
    *enumerator = static_cast<IEnumVARIANT*>(made);
    return S_OK;
}

HRESULT VariantEnumerator::Make(SAFEARRAY* source, LONG count, LONG position, VariantEnumerator** made)
{
    *made = nullptr;
    SAFEARRAY* copy = nullptr;
    LONG lowerBound = 0;
    if (source != nullptr && count > 0) {
        HRESULT hr = SafeArrayGetLBound(source, 1, &lowerBound);
        if (SUCCEEDED(hr))
            hr = SafeArrayCopy(source, &copy);
        if (FAILED(hr))
            return hr;
    } else {
        count = 0;
    }
    *made = new (std::nothrow) VariantEnumerator(copy, lowerBound, count, position);
    if (*made == nullptr) {
        if (copy != nullptr)
            SafeArrayDestroy(copy);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

VariantEnumerator::VariantEnumerator(SAFEARRAY* names, LONG lowerBound, LONG count, LONG position)
    : UnknownObject(nullptr, nullptr), names_(names), lowerBound_(lowerBound), count_(count), position_(position)
{
}

VariantEnumerator::~VariantEnumerator()
{
    if (names_ != nullptr)
        SafeArrayDestroy(names_);
}

HRESULT VariantEnumerator::InternalQueryInterface(REFIID riid, void** object)
{
    if (!SameIid(riid, IID_IEnumVARIANT))
        return UnknownObject::InternalQueryInterface(riid, object);
    *object = static_cast<IEnumVARIANT*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Next(ULONG requested, VARIANT* elements, ULONG* fetched)
{
    if (fetched != nullptr)
        *fetched = 0;
    if (requested > 0 && elements == nullptr)
        return E_POINTER;
    ULONG copied = 0;
    const LONG start = position_;
    while (copied < requested && position_ < count_) {
        LONG index = lowerBound_ + position_;
        BSTR name = nullptr;
        const HRESULT hr = SafeArrayGetElement(names_, &index, &name);
        if (FAILED(hr)) {
            // All or nothing: what was handed out in this call is taken back.
            for (ULONG i = 0; i < copied; ++i)
                VariantClear(&elements[i]);
            position_ = start;
            return hr;
        }
        VariantInit(&elements[copied]);
        V_VT(&elements[copied]) = VT_BSTR;
        V_BSTR(&elements[copied]) = name;
        ++copied;
        ++position_;
    }
    if (fetched != nullptr)
        *fetched = copied;
    return copied < requested ? S_FALSE : S_OK;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Skip(ULONG count)
{
    if (count > static_cast<ULONG>(count_ - position_)) {
        position_ = count_;
        return S_FALSE;
    }
    position_ += static_cast<LONG>(count);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Reset()
{
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Clone(IEnumVARIANT** clone)
{
    if (clone == nullptr)
        return E_POINTER;
    *clone = nullptr;
    VariantEnumerator* made = nullptr;
    const HRESULT hr = Make(names_, count_, position_, &made);
    if (FAILED(hr))
        return hr;
    *clone = made;
    return S_OK;
}
