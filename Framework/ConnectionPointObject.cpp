#include "ConnectionPointObject.h"

#include "Module.h"
#include "StandardEnum.h"

#include <olectl.h>

#include <cstring>

namespace {

// The sink array grows by this many entries.
constexpr int SinkArrayStep = 8;
// The count of a point is a 16-bit number.
constexpr int MaxSinks = 32767;

void CopyConnection(void* destination, const void* source, ULONG size)
{
    std::memcpy(destination, source, size);
    if (IUnknown* sink = static_cast<CONNECTDATA*>(destination)->pUnk)
        sink->AddRef();
}

void ReleaseConnection(void* element)
{
    if (IUnknown* sink = static_cast<CONNECTDATA*>(element)->pUnk)
        sink->Release();
}

} // namespace

// The connections of a point at one moment, each sink held by a reference until the snapshot goes:
// a sink may unadvise itself or another while it is called, and no sink the walk still holds is
// freed. A sink whose connection has ended since the walk began is passed over (Next), so that no
// sink is called after its Unadvise. The point itself lives as long as its object, which whoever
// fires holds.
class ConnectionPointObject::SinkSnapshot {
public:
    explicit SinkSnapshot(const ConnectionPointObject& point) : point_(point)
    {
        if (point.count_ == 0)
            return;
        entries_ = point.count_ <= InlineSinks
                       ? inline_
                       : static_cast<Connection*>(Module::Allocate(sizeof(Connection) * std::size_t(point.count_)));
        if (entries_ == nullptr)
            return;
        const Connection* entries = point.Entries();
        for (int i = 0; i < point.count_; ++i) {
            entries_[i] = entries[i];
            entries_[i].sink->AddRef();
        }
        count_ = point.count_;
    }
    ~SinkSnapshot()
    {
        for (int i = 0; i < count_; ++i)
            entries_[i].sink->Release();
        if (entries_ != inline_)
            Module::Free(entries_);
    }
    SinkSnapshot(const SinkSnapshot&) = delete;
    SinkSnapshot& operator=(const SinkSnapshot&) = delete;

    // The sink of the next entry at or after `position` that is still connected, or null at the end;
    // `position` is left on it.
    IUnknown* Next(int& position) const
    {
        for (; position < count_; ++position) {
            if (point_.Holds(entries_[position]))
                return entries_[position].sink;
        }
        return nullptr;
    }

private:
    static constexpr int InlineSinks = 8;
    const ConnectionPointObject& point_;
    Connection inline_[InlineSinks] = {};
    Connection* entries_ = nullptr;
    int count_ = 0;
};

ConnectionPointObject::ConnectionPointObject(ConnectionPointOwner* owner, Index index)
    : owner_(owner), index_(index)
{
}

ConnectionPointObject::~ConnectionPointObject()
{
    while (count_ > 0) {
        IUnknown* sink = Entries()[count_ - 1].sink;
        RemoveAt(count_ - 1);
        sink->Release();
    }
}

HRESULT STDMETHODCALLTYPE ConnectionPointObject::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IConnectionPoint) || IsEqualIID(iid, IID_IUnknown)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ConnectionPointObject::AddRef()
{
    return owner_->ConnectionOwnerUnknown()->AddRef();
}

ULONG STDMETHODCALLTYPE ConnectionPointObject::Release()
{
    return owner_->ConnectionOwnerUnknown()->Release();
}

HRESULT STDMETHODCALLTYPE ConnectionPointObject::GetConnectionInterface(IID* iid)
{
    if (iid == nullptr)
        return E_POINTER;
    *iid = index_ == PropertyNotify ? IID_IPropertyNotifySink : owner_->ConnectionEventsIid();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPointObject::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (container == nullptr)
        return E_POINTER;
    *container = nullptr;
    return owner_->ConnectionOwnerUnknown()->QueryInterface(IID_IConnectionPointContainer,
                                                            reinterpret_cast<void**>(container));
}

DWORD ConnectionPointObject::CookieFor(IUnknown* sink) const
{
    // The cookie is the sink's pointer. Where a pointer is wider than a cookie, its low half could be
    // 0 or name another sink's connection; the next free value is taken then.
    DWORD cookie = DWORD(reinterpret_cast<UINT_PTR>(sink));
    const Connection* entries = Entries();
    for (;;) {
        bool taken = cookie == 0;
        for (int i = 0; i < count_ && !taken; ++i)
            taken = entries[i].cookie == cookie && entries[i].sink != sink;
        if (!taken)
            return cookie;
        ++cookie;
    }
}

HRESULT ConnectionPointObject::Add(IUnknown* sink, DWORD cookie)
{
    if (count_ >= MaxSinks)
        return E_OUTOFMEMORY;
    const Connection added = {sink, cookie};
    if (count_ == 0) {
        single_ = added;
    } else if (count_ == 1) {
        auto* grown = static_cast<Connection*>(Module::Allocate(sizeof(Connection) * SinkArrayStep));
        if (grown == nullptr)
            return E_OUTOFMEMORY;
        grown[0] = single_;
        grown[1] = added;
        single_ = {};
        array_ = grown;
    } else {
        if (count_ % SinkArrayStep == 0) {
            auto* grown = static_cast<Connection*>(
                Module::Reallocate(array_, sizeof(Connection) * std::size_t(count_ + SinkArrayStep)));
            if (grown == nullptr)
                return E_OUTOFMEMORY;
            array_ = grown;
        }
        array_[count_] = added;
    }
    ++count_;
    return S_OK;
}

void ConnectionPointObject::RemoveAt(int position)
{
    if (count_ == 1) {
        single_ = {};
    } else if (count_ == 2) {
        // The survivor goes back inline and the array is freed.
        single_ = array_[1 - position];
        Module::Free(array_);
        array_ = nullptr;
    } else {
        std::memmove(array_ + position, array_ + position + 1, sizeof(Connection) * std::size_t(count_ - position - 1));
    }
    --count_;
}

bool ConnectionPointObject::Holds(const Connection& connection) const
{
    const Connection* entries = Entries();
    for (int i = 0; i < count_; ++i) {
        if (entries[i].sink == connection.sink && entries[i].cookie == connection.cookie)
            return true;
    }
    return false;
}

HRESULT STDMETHODCALLTYPE ConnectionPointObject::Advise(IUnknown* sink, DWORD* cookie)
{
    if (cookie == nullptr)
        return E_POINTER;
    *cookie = 0;
    if (sink == nullptr)
        return E_POINTER;
    IUnknown* connected = nullptr;
    HRESULT hr;
    if (index_ == PropertyNotify) {
        hr = sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&connected));
    } else {
        hr = sink->QueryInterface(owner_->ConnectionEventsIid(), reinterpret_cast<void**>(&connected));
        if (FAILED(hr))
            hr = sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&connected));
    }
    if (FAILED(hr))
        return hr;
    if (connected == nullptr)
        return E_NOINTERFACE;
    const DWORD given = CookieFor(connected);
    hr = Add(connected, given);
    if (FAILED(hr)) {
        connected->Release();
        return hr;
    }
    *cookie = given;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPointObject::Unadvise(DWORD cookie)
{
    // No connection ever has the cookie 0; it is what a caller holds for one it never made.
    if (cookie == 0)
        return S_OK;
    const Connection* entries = Entries();
    for (int i = 0; i < count_; ++i) {
        if (entries[i].cookie != cookie)
            continue;
        IUnknown* sink = entries[i].sink;
        RemoveAt(i);
        // Released after the list is consistent: the release may call back into the object.
        sink->Release();
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE ConnectionPointObject::EnumConnections(IEnumConnections** enumerator)
{
    if (enumerator == nullptr)
        return E_POINTER;
    *enumerator = nullptr;
    CONNECTDATA* connections = nullptr;
    if (count_ > 0) {
        connections = static_cast<CONNECTDATA*>(Module::Allocate(sizeof(CONNECTDATA) * std::size_t(count_)));
        if (connections == nullptr)
            return E_OUTOFMEMORY;
        const Connection* entries = Entries();
        for (int i = 0; i < count_; ++i) {
            connections[i].pUnk = entries[i].sink;
            connections[i].pUnk->AddRef();
            connections[i].dwCookie = entries[i].cookie;
        }
    }
    // Each entry holds its sink and the enumerator holds the object, so that the enumerator stays
    // valid whatever is unadvised or released after it was made.
    return StandardEnum::Create(IID_IEnumConnections, ULONG(count_), sizeof(CONNECTDATA), connections,
                                CopyConnection, ReleaseConnection, owner_->ConnectionOwnerUnknown(),
                                reinterpret_cast<void**>(enumerator));
}

void ConnectionPointObject::InvokeSinks(DISPID dispid, DISPPARAMS* parameters)
{
    if (index_ != Events)
        return;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    const SinkSnapshot sinks(*this);
    for (int i = 0; IUnknown* sink = sinks.Next(i); ++i)
        static_cast<IDispatch*>(sink)->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD,
                                              parameters != nullptr ? parameters : &none, nullptr, nullptr, nullptr);
}

void ConnectionPointObject::SendOnChanged(DISPID dispid)
{
    if (index_ != PropertyNotify)
        return;
    const SinkSnapshot sinks(*this);
    for (int i = 0; IUnknown* sink = sinks.Next(i); ++i)
        static_cast<IPropertyNotifySink*>(sink)->OnChanged(dispid);
}

bool ConnectionPointObject::SendOnRequestEdit(DISPID dispid)
{
    if (index_ != PropertyNotify)
        return true;
    const SinkSnapshot sinks(*this);
    for (int i = 0; IUnknown* sink = sinks.Next(i); ++i) {
        if (static_cast<IPropertyNotifySink*>(sink)->OnRequestEdit(dispid) != S_OK)
            return false;
    }
    return true;
}
