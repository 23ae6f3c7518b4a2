// Scoped ownership of GDI handles and of selections into a device context, so that every drawing
// routine leaves the context as it found it and frees what it made on every path.
#pragma once
#include <windows.h>

// Owns one GDI object (pen, brush, bitmap, region, palette) and deletes it when it goes out of scope.
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (handle_ != nullptr)
            DeleteObject(handle_);
        handle_ = handle;
    }
    // Hands the object to the caller, who then deletes it.
    Handle Detach()
    {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    Handle handle_ = nullptr;
};

// A memory device context compatible with another one (or with the screen), deleted at the end.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc()
    {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// Selects an object into a context and puts the previous one back at the end. A null object
// selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc)
    {
        if (dc_ != nullptr && object != nullptr) {
            previous_ = SelectObject(dc_, object);
            if (previous_ == HGDI_ERROR)
                previous_ = nullptr;
        }
    }
    ~SelectedObject() { Restore(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    bool Selected() const { return previous_ != nullptr; }
    // Puts the previous object back now (so that the selected one may be deleted or used elsewhere).
    HGDIOBJ Restore()
    {
        HGDIOBJ restored = nullptr;
        if (previous_ != nullptr)
            restored = SelectObject(dc_, previous_);
        previous_ = nullptr;
        return restored;
    }

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// Selects a palette (as a background palette) and realises it; the previous palette is put back
// at the end. A null palette selects nothing.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette) : dc_(dc)
    {
        if (dc_ != nullptr && palette != nullptr) {
            previous_ = SelectPalette(dc_, palette, TRUE);
            if (previous_ != nullptr)
                RealizePalette(dc_);
        }
    }
    ~SelectedPalette()
    {
        if (previous_ != nullptr)
            SelectPalette(dc_, previous_, TRUE);
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE previous_ = nullptr;
};

// Saves the whole state of a context (mapping, clipping, selections) and restores it at the end.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), level_(dc != nullptr ? SaveDC(dc) : 0) {}
    ~SavedDcState()
    {
        if (level_ != 0)
            RestoreDC(dc_, level_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int level_;
};
