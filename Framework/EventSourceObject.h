// The framework level between the automation object and the control: IConnectionPointContainer with
// two connection points, one for the object's event dispinterface and one for IPropertyNotifySink,
// and the firing of events over the first.
#pragma once
#include "AutomationObject.h"
#include "ConnectionPointObject.h"
#include "EventDescriptor.h"

#include <ocidl.h>

class EventSourceObject : public AutomationObject,
                          public IConnectionPointContainer,
                          private ConnectionPointOwner {
public:
    EventSourceObject(IUnknown* outer, int row, IDispatch* dispatchInterface);
    ~EventSourceObject() override;

    // IConnectionPointContainer answers with the container interface.
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;

    DECLARE_DELEGATING_UNKNOWN()
    // The events point for the row's event interface or IDispatch, the property-notify point for
    // IPropertyNotifySink; E_NOINTERFACE for anything else.
    STDMETHOD(FindConnectionPoint)(REFIID riid, IConnectionPoint** point) override;
    // The events point, then the property-notify point.
    STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** points) override;

    // Fires `event` to the event sinks with the arguments that follow, one per parameter of the
    // descriptor, passed as BuildEventParameters describes.
    void FireEvent(const EventDescriptor* event, ...);

    ConnectionPointObject& EventsPoint() { return events_; }
    ConnectionPointObject& PropertyNotifyPoint() { return propertyNotify_; }

private:
    IUnknown* ConnectionOwnerUnknown() override { return OuterUnknown(); }
    const IID& ConnectionEventsIid() override;

    ConnectionPointObject events_;
    ConnectionPointObject propertyNotify_;
};
