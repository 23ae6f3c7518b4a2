// The library's one enumerator: an array of fixed-size elements handed out by Next. It answers one
// enumerator IID (IEnumConnectionPoints, IEnumConnections, IEnumOLEVERB, IEnumFORMATETC ...), all of
// which share this shape; the element type is the caller's.
#pragma once
#include "UnknownObject.h"

#include <windows.h>
#include <unknwn.h>

// The interface every enumerator IID of the library has: Next, Skip, Reset and Clone after IUnknown.
struct IStandardEnumerator : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG requested, void* elements, ULONG* fetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG count) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IStandardEnumerator** clone) = 0;
};

// Copies one element out to a caller, taking whatever references the element needs.
using EnumElementCopy = void (*)(void* destination, const void* source, ULONG size);
// Lets go of what one element of the enumerator's own array holds.
using EnumElementDestroy = void (*)(void* element);

// A plain copy of the bytes.
void CopyEnumElementBytes(void* destination, const void* source, ULONG size);

// Not aggregatable: its own unknown is the one its interface delegates to.
class StandardEnum final : public UnknownObject, public IStandardEnumerator {
public:
    // A new enumerator over `count` elements of `elementSize` bytes at `elements` (a block from
    // Module::Allocate, or null when count is 0), of which it takes ownership whatever the outcome:
    // on failure `destroy` runs on each element and the block is freed. `owner` (may be null) is held
    // for the enumerator's life: the object the elements belong to. Hands out the interface `iid`.
    static HRESULT Create(REFIID iid, ULONG count, ULONG elementSize, void* elements, EnumElementCopy copy,
                          EnumElementDestroy destroy, IUnknown* owner, void** enumerator);

    // The enumerator's IID answers with the enumerator interface.
    HRESULT InternalQueryInterface(REFIID iid, void** object) override;

    DECLARE_DELEGATING_UNKNOWN()
    HRESULT STDMETHODCALLTYPE Next(ULONG requested, void* elements, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IStandardEnumerator** clone) override;

private:
    StandardEnum(REFIID iid, ULONG count, ULONG elementSize, void* elements, EnumElementCopy copy,
                 EnumElementDestroy destroy, IUnknown* owner, StandardEnum* clonedFrom);
    ~StandardEnum() override;

    static void DestroyElements(ULONG count, ULONG elementSize, void* elements, EnumElementDestroy destroy);

    IID iid_;
    ULONG count_;
    ULONG elementSize_;
    ULONG position_ = 0;
    // Owned unless this is a clone, which shares its source's array and holds the source instead.
    BYTE* elements_;
    EnumElementCopy copy_;
    EnumElementDestroy destroy_;
    IUnknown* owner_;
    StandardEnum* clonedFrom_;
};
