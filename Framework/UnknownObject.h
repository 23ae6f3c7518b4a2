// The root of every COM object of the library: reference counting on a private (non-delegating)
// unknown, aggregation through an outer unknown, and the query chain in which each class level answers
// its own interface IDs and hands the rest to its base.
#pragma once
#include <windows.h>
#include <ole2.h>

class UnknownObject {
public:
    // outer: the aggregating object's unknown, or null when the object stands alone.
    // dispatchInterface: the object's default (dual) interface; IDispatch queries answer with it.
    UnknownObject(IUnknown* outer, IDispatch* dispatchInterface);
    virtual ~UnknownObject();
    UnknownObject(const UnknownObject&) = delete;
    UnknownObject& operator=(const UnknownObject&) = delete;

    // Answers the IIDs of this class level, else hands the query to the base. At this level:
    // null and E_NOINTERFACE. Answers are AddRef'd.
    virtual HRESULT InternalQueryInterface(REFIID riid, void** object);
    // Called once when the last reference goes, before the destructor, while the object is still
    // whole (the count is held at 2 so that references taken and dropped here cannot destroy it again).
    virtual void BeforeDestroy();

    // The non-delegating unknown: what the creator (or the aggregating object) holds.
    IUnknown* PrivateUnknown() { return &privateUnknown_; }
    // The unknown every interface of the object delegates to: the outer one when aggregated.
    IUnknown* OuterUnknown() const { return outer_; }
    IDispatch* DispatchInterface() const { return dispatchInterface_; }

    // IID comparison for query chains: the first 32 bits first, then all 16 bytes.
    static bool SameIid(REFIID left, REFIID right)
    {
        return left.Data1 == right.Data1 && IsEqualIID(left, right);
    }

private:
    class PrivateUnknownInterface final : public IUnknown {
    public:
        explicit PrivateUnknownInterface(UnknownObject& owner) : owner_(owner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;

    private:
        UnknownObject& owner_;
        ULONG count_ = 1;
    };

    PrivateUnknownInterface privateUnknown_;
    IUnknown* outer_;
    IDispatch* dispatchInterface_;
};

// Declares, inside a class derived from UnknownObject, the IUnknown methods of every COM interface the
// class inherits: each delegates to the outer unknown.
#define DECLARE_DELEGATING_UNKNOWN()                                                              \
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override                               \
    {                                                                                             \
        return OuterUnknown()->QueryInterface(riid, object);                                      \
    }                                                                                             \
    STDMETHOD_(ULONG, AddRef)() override { return OuterUnknown()->AddRef(); }                     \
    STDMETHOD_(ULONG, Release)() override { return OuterUnknown()->Release(); }
