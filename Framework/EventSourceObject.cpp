#include "EventSourceObject.h"

#include "Module.h"
#include "StandardEnum.h"

#include <cstdarg>
#include <cstring>

namespace {

void CopyConnectionPoint(void* destination, const void* source, ULONG size)
{
    std::memcpy(destination, source, size);
    (*static_cast<IConnectionPoint**>(destination))->AddRef();
}

void ReleaseConnectionPoint(void* element)
{
    (*static_cast<IConnectionPoint**>(element))->Release();
}

} // namespace

EventSourceObject::EventSourceObject(IUnknown* outer, int row, IDispatch* dispatchInterface)
    : AutomationObject(outer, row, dispatchInterface),
      events_(this, ConnectionPointObject::Events),
      propertyNotify_(this, ConnectionPointObject::PropertyNotify)
{
}

EventSourceObject::~EventSourceObject() = default;

const IID& EventSourceObject::ConnectionEventsIid()
{
    const IID* events = Descriptor().eventsIid;
    return events != nullptr ? *events : IID_NULL;
}

HRESULT EventSourceObject::InternalQueryInterface(REFIID riid, void** object)
{
    if (!SameIid(riid, IID_IConnectionPointContainer))
        return AutomationObject::InternalQueryInterface(riid, object);
    *object = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSourceObject::FindConnectionPoint(REFIID riid, IConnectionPoint** point)
{
    if (point == nullptr)
        return E_POINTER;
    *point = nullptr;
    const IID* events = Descriptor().eventsIid;
    if ((events != nullptr && IsEqualIID(riid, *events)) || IsEqualIID(riid, IID_IDispatch))
        *point = &events_;
    else if (IsEqualIID(riid, IID_IPropertyNotifySink))
        *point = &propertyNotify_;
    else
        return E_NOINTERFACE;
    (*point)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSourceObject::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points == nullptr)
        return E_POINTER;
    *points = nullptr;
    auto* entries = static_cast<IConnectionPoint**>(Module::Allocate(2 * sizeof(IConnectionPoint*)));
    if (entries == nullptr)
        return E_OUTOFMEMORY;
    // Each entry holds a reference on its point, that is on this object, for the enumerator's life.
    entries[0] = &events_;
    entries[1] = &propertyNotify_;
    entries[0]->AddRef();
    entries[1]->AddRef();
    return StandardEnum::Create(IID_IEnumConnectionPoints, 2, sizeof(IConnectionPoint*), entries,
                                CopyConnectionPoint, ReleaseConnectionPoint, nullptr,
                                reinterpret_cast<void**>(points));
}

void EventSourceObject::FireEvent(const EventDescriptor* event, ...)
{
    if (event == nullptr)
        return;
    va_list arguments;
    va_start(arguments, event);
    FireEventOver(events_, *event, arguments);
    va_end(arguments);
}
