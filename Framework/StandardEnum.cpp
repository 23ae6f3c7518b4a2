#include "StandardEnum.h"

#include "Module.h"

#include <new>
#include <cstring>

void CopyEnumElementBytes(void* destination, const void* source, ULONG size)
{
    std::memcpy(destination, source, size);
}

HRESULT StandardEnum::Create(REFIID iid, ULONG count, ULONG elementSize, void* elements, EnumElementCopy copy,
                             EnumElementDestroy destroy, IUnknown* owner, void** enumerator)
{
    if (enumerator == nullptr || copy == nullptr || (count > 0 && elements == nullptr)) {
        DestroyElements(count, elementSize, elements, destroy);
        if (enumerator != nullptr)
            *enumerator = nullptr;
        return enumerator == nullptr ? E_POINTER : E_INVALIDARG;
    }
    *enumerator = nullptr;
    auto* created = new (std::nothrow) StandardEnum(iid, count, elementSize, elements, copy, destroy, owner, nullptr);
    if (created == nullptr) {
        DestroyElements(count, elementSize, elements, destroy);
        return E_OUTOFMEMORY;
    }
    *enumerator = static_cast<IStandardEnumerator*>(created);
    return S_OK;
}

StandardEnum::StandardEnum(REFIID iid, ULONG count, ULONG elementSize, void* elements, EnumElementCopy copy,
                           EnumElementDestroy destroy, IUnknown* owner, StandardEnum* clonedFrom)
    : UnknownObject(nullptr, nullptr), iid_(iid), count_(count), elementSize_(elementSize), elements_(static_cast<BYTE*>(elements)), copy_(copy),
      destroy_(destroy), owner_(owner), clonedFrom_(clonedFrom)
{
    if (owner_ != nullptr)
        owner_->AddRef();
    if (clonedFrom_ != nullptr)
        clonedFrom_->AddRef();
}

StandardEnum::~StandardEnum()
{
    if (clonedFrom_ != nullptr)
        clonedFrom_->Release();
    else
        DestroyElements(count_, elementSize_, elements_, destroy_);
    if (owner_ != nullptr)
        owner_->Release();
}

void StandardEnum::DestroyElements(ULONG count, ULONG elementSize, void* elements, EnumElementDestroy destroy)
{
    if (elements == nullptr)
        return;
    if (destroy != nullptr) {
        for (ULONG i = 0; i < count; ++i)
            destroy(static_cast<BYTE*>(elements) + std::size_t(i) * elementSize);
    }
    Module::Free(elements);
}

HRESULT StandardEnum::InternalQueryInterface(REFIID iid, void** object)
{
    if (!SameIid(iid, iid_))
        return UnknownObject::InternalQueryInterface(iid, object);
    *object = static_cast<IStandardEnumerator*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandardEnum::Next(ULONG requested, void* elements, ULONG* fetched)
{
    if (fetched != nullptr)
        *fetched = 0;
    if (requested > 0 && elements == nullptr)
        return E_POINTER;
    ULONG copied = 0;
    while (copied < requested && position_ < count_) {
        copy_(static_cast<BYTE*>(elements) + std::size_t(copied) * elementSize_,
              elements_ + std::size_t(position_) * elementSize_, elementSize_);
        ++copied;
        ++position_;
    }
    if (fetched != nullptr)
        *fetched = copied;
    return copied < requested ? S_FALSE : S_OK;
}

HRESULT STDMETHODCALLTYPE StandardEnum::Skip(ULONG count)
{
    // Compared against what is left, so that a huge count cannot wrap the position.
    if (count > count_ - position_) {
        position_ = count_;
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandardEnum::Reset()
{
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandardEnum::Clone(IStandardEnumerator** clone)
{
    if (clone == nullptr)
        return E_POINTER;
    *clone = nullptr;
    // A clone of a clone shares the one array and holds its source, which holds the array's owner.
    auto* created = new (std::nothrow) StandardEnum(iid_, count_, elementSize_, elements_, copy_, nullptr, nullptr, this);
    if (created == nullptr)
        return E_OUTOFMEMORY;
    created->position_ = position_;
    *clone = created;
    return S_OK;
}
