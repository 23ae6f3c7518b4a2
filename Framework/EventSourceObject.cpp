#include "EventSourceObject.h"

#include "Module.h"
#include "StandardEnum.h"

#include <cstdarg>

namespace {
// The enumerator hands out AddRef'd points.
void CopyConnectionPoint(void* destination, const void* source, ULONG)
{
    IConnectionPoint* point = *static_cast<IConnectionPoint* const*>(source);
    point->AddRef();
    *static_cast<IConnectionPoint**>(destination) = point;
}
} // namespace

EventSourceObject::EventSourceObject(IUnknown* outer, int row, IDispatch* dispatchInterface)
    : AutomationObject(outer, row, dispatchInterface),
      container_(*this),
      eventsPoint_(this, ConnectionPointObject::Events),
      propertyNotifyPoint_(this, ConnectionPointObject::PropertyNotify)
{
}

HRESULT EventSourceObject::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (SameIid(riid, IID_IConnectionPointContainer)) {
        container_.AddRef();
        *object = static_cast<IConnectionPointContainer*>(&container_);
        return S_OK;
    }
    return AutomationObject::InternalQueryInterface(riid, object);
}

const IID& EventSourceObject::ConnectionEventsIid()
{
    const IID* events = Descriptor().eventsIid;
    return events != nullptr ? *events : IID_IDispatch;
}

void EventSourceObject::FireEvent(const EventDescriptor* event, ...)
{
    va_list arguments;
    va_start(arguments, event);
    FireEventOver(eventsPoint_, *event, arguments);
    va_end(arguments);
}

HRESULT STDMETHODCALLTYPE EventSourceObject::ContainerPart::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points == nullptr)
        return E_POINTER;
    *points = nullptr;
    auto* list = static_cast<IConnectionPoint**>(Module::Allocate(2 * sizeof(IConnectionPoint*)));
    if (list == nullptr)
        return E_OUTOFMEMORY;
    list[0] = &control.eventsPoint_;
    list[1] = &control.propertyNotifyPoint_;
    // The points belong to the object: the enumerator holds it while it hands them out.
    return StandardEnum::Create(IID_IEnumConnectionPoints, 2, sizeof(IConnectionPoint*), list, CopyConnectionPoint,
                                nullptr, control.OuterUnknown(), reinterpret_cast<void**>(points));
}

HRESULT STDMETHODCALLTYPE EventSourceObject::ContainerPart::FindConnectionPoint(REFIID riid, IConnectionPoint** point)
{
    if (point == nullptr)
        return E_POINTER;
    *point = nullptr;
    if (IsEqualIID(riid, control.ConnectionEventsIid()) || IsEqualIID(riid, IID_IDispatch))
        *point = &control.eventsPoint_;
    else if (IsEqualIID(riid, IID_IPropertyNotifySink))
        *point = &control.propertyNotifyPoint_;
    else
        return E_NOINTERFACE;
    (*point)->AddRef();
    return S_OK;
}
