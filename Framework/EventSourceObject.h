// The framework level between the automation object and the control: a connection point container
// with exactly two points, one for the object's event dispinterface and one for IPropertyNotifySink,
// and the firing of events over the first.
#pragma once
#include "AutomationObject.h"
#include "ConnectionPointObject.h"
#include "EventDescriptor.h"
#include "InterfacePart.h"

class EventSourceObject : public AutomationObject, public ConnectionPointOwner {
public:
    EventSourceObject(IUnknown* outer, int row, IDispatch* dispatchInterface);

    // IConnectionPointContainer answers with the container part.
    HRESULT InternalQueryInterface(REFIID riid, void** object) override;

    ConnectionPointObject& EventsPoint() { return eventsPoint_; }
    ConnectionPointObject& PropertyNotifyPoint() { return propertyNotifyPoint_; }

    // Fires `event` to every sink of the events point; the arguments follow the descriptor's
    // parameter types as C passes variable arguments (VT_I2 and VT_BOOL as int, by-reference types
    // as pointers).
    void FireEvent(const EventDescriptor* event, ...);

    IUnknown* ConnectionOwnerUnknown() override { return OuterUnknown(); }
    const IID& ConnectionEventsIid() override;

private:
    class ContainerPart : public InterfacePart<IConnectionPointContainer, EventSourceObject> {
    public:
        using InterfacePart::InterfacePart;
        STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
        STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;
    };

    ContainerPart container_;
    ConnectionPointObject eventsPoint_;
    ConnectionPointObject propertyNotifyPoint_;
};
