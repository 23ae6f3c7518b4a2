#include "EventSourceObject.h"
#include "Module.h"
#include "TestSink.h"
#include "TestWidget.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// A control as far as events go: the tests' dual interface on an event source of the widget row,
// whose event interface is DTestWidgetEvents.
class EventWidget final : public EventSourceObject, public ITestWidget, public ISupportErrorInfo {
public:
    explicit EventWidget(IUnknown* outer) : EventSourceObject(outer, TestWidgetRow, static_cast<ITestWidget*>(this)) {}
    ~EventWidget() override { ++destroyedCount; }

    HRESULT InternalQueryInterface(REFIID riid, void** object) override
    {
        if (SameIid(riid, IID_ITestWidget))
            *object = static_cast<ITestWidget*>(this);
        else if (SameIid(riid, IID_ISupportErrorInfo))
            *object = static_cast<ISupportErrorInfo*>(this);
        else
            return EventSourceObject::InternalQueryInterface(riid, object);
        AddRef();
        return S_OK;
    }

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(EventSourceObject)
    DECLARE_SUPPORT_ERROR_INFO(EventSourceObject)

    STDMETHOD(get_Width)(LONG* value) override { *value = 0; return S_OK; }
    STDMETHOD(put_Width)(LONG) override { return S_OK; }
    STDMETHOD(Scale)(LONG, LONG*) override { return S_OK; }
    STDMETHOD(put_BevelWidth)(SHORT) override { return S_OK; }
    STDMETHOD(get_BevelWidth)(SHORT* value) override { *value = 0; return S_OK; }

    static int destroyedCount;
};
int EventWidget::destroyedCount = 0;

// An aggregating object: counts its own references and hands every other query to the inner object.
class Outer final : public IUnknown {
public:
    LONG references = 1;
    IUnknown* inner = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
};

const VARTYPE ChangedTypes[] = {VT_I4 | VT_BYREF, VT_BSTR};
const EventDescriptor Changed = {1, 2, ChangedTypes};

class EventSource : public ::testing::Test {
protected:
    void SetUp() override
    {
        objectsBefore = Module::ObjectCount();
        EventWidget::destroyedCount = 0;
        widget = new EventWidget(nullptr);
        ASSERT_EQ(widget->PrivateUnknown()->QueryInterface(IID_IConnectionPointContainer, &container), S_OK);
        widget->PrivateUnknown()->Release();
    }
    void TearDown() override
    {
        container.Reset();
        EXPECT_EQ(EventWidget::destroyedCount, 1);
        EXPECT_EQ(Module::ObjectCount(), objectsBefore);
        for (TestSink* sink : sinks) {
            EXPECT_EQ(sink->References(), 1);
            sink->Destroy();
        }
    }
    TestSink* NewSink(const char* name)
    {
        sinks.push_back(new TestSink(&log, name));
        return sinks.back();
    }

    LONG objectsBefore = 0;
    EventWidget* widget = nullptr;
    ComPtr<IConnectionPointContainer> container;
    std::vector<std::string> log;
    std::vector<TestSink*> sinks;
};

TEST_F(EventSource, FindsItsTwoPointsByInterface)
{
    ComPtr<IConnectionPoint> events;
    ComPtr<IConnectionPoint> byDispatch;
    ComPtr<IConnectionPoint> notify;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DTestWidgetEvents, &events), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(IID_IDispatch, &byDispatch), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &notify), S_OK);
    EXPECT_EQ(events.Get(), byDispatch.Get());
    EXPECT_NE(events.Get(), notify.Get());
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IID_ITestWidget, &none), E_NOINTERFACE);
    EXPECT_EQ(none.Get(), nullptr);

    IID iid = {};
    EXPECT_EQ(events->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, DIID_DTestWidgetEvents));
    EXPECT_EQ(notify->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, IID_IPropertyNotifySink));
    ComPtr<IConnectionPointContainer> back;
    EXPECT_EQ(notify->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back.Get(), container.Get());
}

TEST_F(EventSource, EnumeratesItsPointsAndTheEnumeratorHoldsTheObject)
{
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    container.Reset();
    EXPECT_EQ(EventWidget::destroyedCount, 0);
    IConnectionPoint* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(found[0], &widget->EventsPoint());
    EXPECT_EQ(found[1], &widget->PropertyNotifyPoint());
    found[0]->Release();
    found[1]->Release();
    points.Reset();
}

TEST_F(EventSource, FiresEventsAndPropertyNotificationToItsSinks)
{
    TestSink* eventSink = NewSink("events");
    TestSink* notifySink = NewSink("notify");
    ComPtr<IConnectionPoint> events;
    ComPtr<IConnectionPoint> notify;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DTestWidgetEvents, &events), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &notify), S_OK);
    DWORD eventCookie = 0;
    DWORD notifyCookie = 0;
    ASSERT_EQ(events->Advise(static_cast<IDispatch*>(eventSink), &eventCookie), S_OK);
    ASSERT_EQ(notify->Advise(static_cast<IDispatch*>(notifySink), &notifyCookie), S_OK);

    BSTR name = SysAllocString(L"Width");
    eventSink->onCall = [&](DISPID, DISPPARAMS* parameters) {
        ASSERT_EQ(parameters->cArgs, 2u);
        EXPECT_EQ(V_BSTR(&parameters->rgvarg[0]), name);
        *V_I4REF(&parameters->rgvarg[1]) += 1;
    };
    LONG value = 41;
    widget->FireEvent(&Changed, &value, name);
    SysFreeString(name);
    EXPECT_EQ(value, 42);
    widget->PropertyNotifyPoint().SendOnChanged(1);
    EXPECT_TRUE(widget->PropertyNotifyPoint().SendOnRequestEdit(1));
    const std::vector<std::string> expected = {"events Invoke 1", "notify OnChanged 1", "notify OnRequestEdit 1"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(events->Unadvise(eventCookie), S_OK);
    // The notify sink stays connected: the object's destruction releases it.
}

TEST_F(EventSource, AnAggregatedObjectsPointsCountOnTheOuterObject)
{
    Outer outer;
    auto* aggregated = new EventWidget(&outer);
    outer.inner = aggregated->PrivateUnknown();
    ComPtr<IConnectionPointContainer> outerContainer;
    ASSERT_EQ(outer.QueryInterface(IID_IConnectionPointContainer, &outerContainer), S_OK);
    EXPECT_EQ(outer.references, 2);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(outerContainer->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
    EXPECT_EQ(outer.references, 3);
    ComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back.Get(), outerContainer.Get());
    back.Reset();
    point.Reset();
    outerContainer.Reset();
    EXPECT_EQ(outer.references, 1);
    aggregated->PrivateUnknown()->Release();
    EXPECT_EQ(EventWidget::destroyedCount, 1);
    // TearDown counts the fixture's own widget.
    EventWidget::destroyedCount = 0;
}

} // namespace
