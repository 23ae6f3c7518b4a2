// One connection point of an event source: the sinks of the object's event interface (index 0) or of
// IPropertyNotifySink (index 1). It lives inside the object it belongs to; its references are the
// object's.
#pragma once
#include <windows.h>
#include <ocidl.h>

// What a connection point needs from the object it belongs to.
class ConnectionPointOwner {
public:
    // The object's (outer) unknown: the point's AddRef, Release and container query go to it.
    virtual IUnknown* ConnectionOwnerUnknown() = 0;
    // The object's event dispinterface.
    virtual const IID& ConnectionEventsIid() = 0;

protected:
    ~ConnectionPointOwner() = default;
};

class ConnectionPointObject final : public IConnectionPoint {
public:
    enum Index { Events = 0, PropertyNotify = 1 };

    ConnectionPointObject(ConnectionPointOwner* owner, Index index);
    // Releases every sink still connected.
    ~ConnectionPointObject();
    ConnectionPointObject(const ConnectionPointObject&) = delete;
    ConnectionPointObject& operator=(const ConnectionPointObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** enumerator) override;

    // IDispatch::Invoke (dispid, DISPATCH_METHOD, parameters) on every sink of the point, in order;
    // what the sinks answer is ignored.
    void InvokeSinks(DISPID dispid, DISPPARAMS* parameters);
    // IPropertyNotifySink::OnChanged (dispid) on every sink.
    void SendOnChanged(DISPID dispid);
    // IPropertyNotifySink::OnRequestEdit (dispid) on the sinks in order until one does not answer
    // S_OK; true when every sink (or none) agreed.
    bool SendOnRequestEdit(DISPID dispid);

    int Count() const { return count_; }
    Index PointIndex() const { return index_; }

private:
    struct Connection {
        IUnknown* sink; // the interface the point asked the sink for
        DWORD cookie;
    };
    class SinkSnapshot;

    const Connection* Entries() const { return count_ == 1 ? &single_ : array_; }
    Connection* Entries() { return count_ == 1 ? &single_ : array_; }
    DWORD CookieFor(IUnknown* sink) const;
    // Whether the connection is still in the list.
    bool Holds(const Connection& connection) const;
    HRESULT Add(IUnknown* sink, DWORD cookie);
    void RemoveAt(int position);

    ConnectionPointOwner* owner_;
    Index index_;
    // One sink is kept inline; from the second on they live in a heap array grown by 8 entries.
    Connection single_ = {};
    Connection* array_ = nullptr;
    int count_ = 0;
};
