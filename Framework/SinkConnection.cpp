#include "SinkConnection.h"

#include "ComReference.h"

#include <ocidl.h>

namespace {

// The source's connection point for `iid` into `point`; false when it has none.
bool FindPoint(IUnknown* source, REFIID iid, ComReference<IConnectionPoint>& point)
{
    ComReference<IConnectionPointContainer> container;
    return source != nullptr && SUCCEEDED(source->QueryInterface(IID_IConnectionPointContainer, container.OutVoid()))
           && container && SUCCEEDED(container->FindConnectionPoint(iid, point.Out())) && point;
}

} // namespace

bool ConnectionAdvise(IUnknown* source, REFIID iid, IUnknown* sink, bool keepReference, DWORD* cookie)
{
    if (sink == nullptr || cookie == nullptr)
        return false;
    ComReference<IConnectionPoint> point;
    if (!FindPoint(source, iid, point) || FAILED(point->Advise(sink, cookie)))
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
    ComReference<IConnectionPoint> point;
    const bool done = FindPoint(source, iid, point) && SUCCEEDED(point->Unadvise(cookie));
    if (!keepReference && !done)
        sink->Release();
    return done;
}
