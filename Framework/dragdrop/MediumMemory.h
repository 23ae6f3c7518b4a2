// Global memory for a storage medium handed to a drop target: movable, zeroed and shareable, locked
// while it is filled; freed again unless it is handed over (the receiver frees it then).
#pragma once
#include <windows.h>

class MediumMemory {
public:
    explicit MediumMemory(SIZE_T size)
    {
        memory_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
        if (memory_ != nullptr)
            bytes_ = GlobalLock(memory_);
    }
    ~MediumMemory()
    {
        if (bytes_ != nullptr)
            GlobalUnlock(memory_);
        if (memory_ != nullptr)
            GlobalFree(memory_);
    }
    MediumMemory(const MediumMemory&) = delete;
    MediumMemory& operator=(const MediumMemory&) = delete;

    // The locked bytes; null when the memory could not be had.
    template <class T = void>
    T* Bytes() const
    {
        return static_cast<T*>(bytes_);
    }
    // Unlocks the memory and hands it over.
    HGLOBAL HandOver()
    {
        if (bytes_ == nullptr)
            return nullptr;
        GlobalUnlock(memory_);
        bytes_ = nullptr;
        HGLOBAL memory = memory_;
        memory_ = nullptr;
        return memory;
    }

private:
    HGLOBAL memory_ = nullptr;
    void* bytes_ = nullptr;
};
