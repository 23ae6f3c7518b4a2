// An owning reference to a COM interface: released when it goes, AddRef'd when copied.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace korvane::com {

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference of its own to the pointer.
    explicit ComPtr(Interface* pointer) : pointer_(pointer)
    {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t)
    {
        Reset();
        return *this;
    }

    // Adopts a reference the caller already owns (a factory's or a query's result).
    static ComPtr Adopt(Interface* pointer)
    {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }

    void Reset()
    {
        if (Interface* old = std::exchange(pointer_, nullptr))
            old->Release();
    }
    void Swap(ComPtr& other) noexcept { std::swap(pointer_, other.pointer_); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // The out-parameter form for calls that hand back a new reference; the old one is released first.
    Interface** Put()
    {
        Reset();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Hands the reference to a caller's out parameter (which then owns it).
    Interface* Detach() { return std::exchange(pointer_, nullptr); }
    HRESULT CopyTo(Interface** out) const
    {
        if (!out)
            return E_POINTER;
        *out = pointer_;
        if (pointer_)
            pointer_->AddRef();
        return S_OK;
    }

    template <typename Other>
    HRESULT As(ComPtr<Other>& out) const
    {
        if (!pointer_) {
            out.Reset();
            return E_NOINTERFACE;
        }
        return pointer_->QueryInterface(__uuidof(Other), out.PutVoid());
    }
    HRESULT As(REFIID iid, void** out) const
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return pointer_ ? pointer_->QueryInterface(iid, out) : E_NOINTERFACE;
    }

private:
    Interface* pointer_ = nullptr;
};

// Two references name the same object when their IUnknowns are the same pointer.
template <typename A, typename B>
bool SameObject(A* a, B* b)
{
    if (!a || !b)
        return a == nullptr && b == nullptr;
    ComPtr<IUnknown> ua, ub;
    if (FAILED(a->QueryInterface(IID_IUnknown, ua.PutVoid())) || FAILED(b->QueryInterface(IID_IUnknown, ub.PutVoid())))
        return false;
    return ua.Get() == ub.Get();
}

} // namespace korvane::com
