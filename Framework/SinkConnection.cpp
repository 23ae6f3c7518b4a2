#include "SinkConnection.h"

#include <ocidl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<IConnectionPoint> FindPoint(IUnknown* source, REFIID iid)
{
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (source == nullptr || FAILED(source->QueryInterface(IID_PPV_ARGS(&container))) || !container
        || FAILED(container->FindConnectionPoint(iid, &point)))
        return nullptr;
    return point;
}

} // namespace

bool ConnectionAdvise(IUnknown* source, REFIID iid, IUnknown* sink, bool keepReference, DWORD* cookie)
{
    if (sink == nullptr || cookie == nullptr)
        return false;
    ComPtr<IConnectionPoint> point = FindPoint(source, iid);
    if (!point || FAILED(point->Advise(sink, cookie)))
        return false;
    if (!keepReference)
        sink->Release();
    return true;
}

bool ConnectionUnadvise(IUnknown* source, REFIID iid, IUnknown* sink, bool keepReference, DWORD cookie)
{
    if (sink == nullptr)
        return false;
    // The connection releases the sink when it goes; the reference given back at advise is restored
    // first so that this release does not take one of the owner's own.
    if (!keepReference)
        sink->AddRef();
    ComPtr<IConnectionPoint> point = FindPoint(source, iid);
    const bool done = point && SUCCEEDED(point->Unadvise(cookie));
    if (!keepReference && !done)
        sink->Release();
    return done;
}
