// Owns one COM reference and releases it when it goes out of scope.
#pragma once
#include <unknwn.h>

template <class Interface>
class ComReference {
public:
    ComReference() = default;
    // Takes over a reference the caller holds.
    explicit ComReference(Interface* pointer) : pointer_(pointer) {}
    ~ComReference() { Reset(); }
    ComReference(const ComReference&) = delete;
    ComReference& operator=(const ComReference&) = delete;

    // For out parameters: releases what is held and hands out the slot.
    Interface** Out()
    {
        Reset();
        return &pointer_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Gives the reference to the caller.
    Interface* Detach()
    {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    void Reset()
    {
        if (pointer_ != nullptr)
            pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};
