#include "ConnectionPointObject.h"
#include "EventDescriptor.h"
#include "Module.h"
#include "TestSink.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

#include <cstdarg>
#include <memory>

using Microsoft::WRL::ComPtr;

namespace {

// An object with the two connection points, as a control has them.
class TestEventSource final : public IConnectionPointContainer, public ConnectionPointOwner {
public:
    ConnectionPointObject events{this, ConnectionPointObject::Events};
    ConnectionPointObject notify{this, ConnectionPointObject::PropertyNotify};
    LONG references = 1;
    bool destroyed = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPointContainer)) {
            *object = static_cast<IConnectionPointContainer*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        if (--references == 0)
            destroyed = true;
        return ULONG(references);
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint**) override { return E_NOTIMPL; }

    IUnknown* ConnectionOwnerUnknown() override { return static_cast<IConnectionPointContainer*>(this); }
    const IID& ConnectionEventsIid() override { return TestEventsIid; }
};

void Fire(ConnectionPointObject& point, const EventDescriptor* event, ...)
{
    va_list arguments;
    va_start(arguments, event);
    FireEventOver(point, *event, arguments);
    va_end(arguments);
}

class ConnectionPoint : public ::testing::Test {
protected:
    void TearDown() override
    {
        // The object goes first: its points release the sinks they still hold.
        ownedSource.reset();
        for (TestSink* sink : sinks)
            sink->Destroy();
    }
    TestSink* NewSink(const char* name, bool answersEvents = true)
    {
        sinks.push_back(new TestSink(&log, name, answersEvents));
        return sinks.back();
    }
    DWORD Advise(ConnectionPointObject& point, TestSink* sink)
    {
        DWORD cookie = 0;
        EXPECT_EQ(point.Advise(static_cast<IDispatch*>(sink), &cookie), S_OK);
        EXPECT_NE(cookie, 0u);
        return cookie;
    }
    std::vector<std::string> Names(ConnectionPointObject& point)
    {
        std::vector<std::string> names;
        ComPtr<IEnumConnections> connections;
        EXPECT_EQ(point.EnumConnections(&connections), S_OK);
        CONNECTDATA data = {};
        while (connections->Next(1, &data, nullptr) == S_OK) {
            for (size_t i = 0; i < sinks.size(); ++i) {
                if (static_cast<IUnknown*>(static_cast<IDispatch*>(sinks[i])) == data.pUnk
                    || static_cast<IUnknown*>(static_cast<IPropertyNotifySink*>(sinks[i])) == data.pUnk)
                    names.push_back("s" + std::to_string(i));
            }
            data.pUnk->Release();
        }
        return names;
    }

    std::unique_ptr<TestEventSource> ownedSource = std::make_unique<TestEventSource>();
    TestEventSource& source = *ownedSource;
    std::vector<std::string> log;
    std::vector<TestSink*> sinks;
};

const VARTYPE NoParameters[] = {VT_EMPTY};
const EventDescriptor Click = {-600, 0, NoParameters};

TEST_F(ConnectionPoint, NineSinksWithTheThirdRemovedKeepTheirOrderAndEachHearsOnce)
{
    DWORD cookies[9];
    for (int i = 0; i < 9; ++i)
        cookies[i] = Advise(source.events, NewSink(("s" + std::to_string(i)).c_str()));
    EXPECT_EQ(source.events.Count(), 9);
    EXPECT_EQ(source.events.Unadvise(cookies[2]), S_OK);
    EXPECT_EQ(sinks[2]->References(), 1);
    EXPECT_EQ(source.events.Count(), 8);
    const std::vector<std::string> expected = {"s0", "s1", "s3", "s4", "s5", "s6", "s7", "s8"};
    EXPECT_EQ(Names(source.events), expected);

    Fire(source.events, &Click);
    std::vector<std::string> heard;
    for (const std::string& name : expected)
        heard.push_back(name + " Invoke -600");
    EXPECT_EQ(log, heard);
}

TEST_F(ConnectionPoint, UnadvisingDownToOneAndToNone)
{
    TestSink* first = NewSink("s0");
    TestSink* second = NewSink("s1");
    const DWORD firstCookie = Advise(source.events, first);
    const DWORD secondCookie = Advise(source.events, second);
    EXPECT_EQ(first->References(), 2);
    EXPECT_EQ(source.events.Unadvise(firstCookie), S_OK);
    EXPECT_EQ(source.events.Count(), 1);
    EXPECT_EQ(Names(source.events), std::vector<std::string>{"s1"});
    EXPECT_EQ(source.events.Unadvise(firstCookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(source.events.Unadvise(secondCookie), S_OK);
    EXPECT_EQ(source.events.Count(), 0);
    EXPECT_TRUE(Names(source.events).empty());
    EXPECT_EQ(first->References(), 1);
    EXPECT_EQ(second->References(), 1);
    // Growing again past the inline sink and past the first array block.
    for (int i = 0; i < 17; ++i)
        Advise(source.events, NewSink("more"));
    EXPECT_EQ(source.events.Count(), 17);
}

TEST_F(ConnectionPoint, AdviseRefusesWhatItCannotConnect)
{
    DWORD cookie = 123;
    EXPECT_EQ(source.events.Advise(nullptr, &cookie), E_POINTER);
    EXPECT_EQ(cookie, 0u);
    TestSink* sink = NewSink("s0");
    EXPECT_EQ(source.events.Advise(static_cast<IDispatch*>(sink), nullptr), E_POINTER);
    EXPECT_EQ(source.events.Unadvise(0x1234), CONNECT_E_NOCONNECTION);

    // An object that is neither a property-notify sink nor a dispatch object.
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    EXPECT_EQ(source.notify.Advise(stream.Get(), &cookie), E_NOINTERFACE);
    EXPECT_EQ(source.events.Advise(stream.Get(), &cookie), E_NOINTERFACE);
    EXPECT_EQ(source.events.Count(), 0);
    EXPECT_EQ(sink->References(), 1);
}

TEST_F(ConnectionPoint, AnEventSinkWithOnlyIDispatchIsAccepted)
{
    TestSink* dispatchOnly = NewSink("s0", false);
    const DWORD cookie = Advise(source.events, dispatchOnly);
    Fire(source.events, &Click);
    EXPECT_EQ(log, std::vector<std::string>{"s0 Invoke -600"});
    EXPECT_EQ(source.events.Unadvise(cookie), S_OK);
}

TEST_F(ConnectionPoint, ConnectionInterfaceAndContainer)
{
    IID iid = {};
    EXPECT_EQ(source.events.GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, TestEventsIid));
    EXPECT_EQ(source.notify.GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, IID_IPropertyNotifySink));

    ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(source.notify.GetConnectionPointContainer(&container), S_OK);
    EXPECT_EQ(container.Get(), static_cast<IConnectionPointContainer*>(&source));
    EXPECT_EQ(source.references, 2);
    container.Reset();

    // The point's references are its object's.
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(source.events.QueryInterface(IID_IConnectionPoint, &point), S_OK);
    EXPECT_EQ(source.references, 2);
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(source.events.QueryInterface(IID_IPropertyNotifySink, &unknown), E_NOINTERFACE);
}

TEST_F(ConnectionPoint, ASinkThatUnadvisesItselfWhileCalledSkipsNoOther)
{
    TestSink* first = NewSink("s0");
    TestSink* second = NewSink("s1");
    TestSink* third = NewSink("s2");
    const DWORD firstCookie = Advise(source.events, first);
    Advise(source.events, second);
    Advise(source.events, third);
    // The sink's owner let go of it when it connected: the connection holds its only reference.
    first->Release();
    first->onCall = [&](DISPID, DISPPARAMS*) { EXPECT_EQ(source.events.Unadvise(firstCookie), S_OK); };

    Fire(source.events, &Click);
    const std::vector<std::string> expected = {"s0 Invoke -600", "s1 Invoke -600", "s2 Invoke -600"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(first->destroyed());
    EXPECT_EQ(source.events.Count(), 2);
}

// A zero cookie is what teardown holds for a connection that was never made (quick activation
// without a sink leaves it so): unadvising it does nothing and is no failure.
TEST_F(ConnectionPoint, UnadvisingTheZeroCookieDoesNothing)
{
    EXPECT_EQ(source.events.Unadvise(0), S_OK);
    EXPECT_EQ(source.notify.Unadvise(0), S_OK);
    TestSink* sink = NewSink("s0");
    Advise(source.events, sink);
    Advise(source.notify, sink);
    EXPECT_EQ(source.events.Unadvise(0), S_OK);
    EXPECT_EQ(source.notify.Unadvise(0), S_OK);
    EXPECT_EQ(source.events.Count(), 1);
    EXPECT_EQ(source.notify.Count(), 1);
    EXPECT_EQ(sink->References(), 3);
    Fire(source.events, &Click);
    EXPECT_EQ(log, std::vector<std::string>{"s0 Invoke -600"});
}

// A sink whose connection ends while the point calls its sinks is not called after that, whoever
// ended it; it is kept alive until the walk is over, and a sink connected meanwhile waits for the
// next one. The three ways a point calls its sinks behave alike.
TEST_F(ConnectionPoint, ASinkUnadvisedDuringTheWalkIsNotCalledButStaysAliveUntilItEnds)
{
    enum Walk { Firing, Changed, RequestEdit };
    const struct {
        const char* what;
        Walk walk;
        const char* call;
    } walks[] = {
        {"event firing", Firing, "Invoke -600"},
        {"change notice", Changed, "OnChanged 7"},
        {"edit request", RequestEdit, "OnRequestEdit 7"},
    };
    for (const auto& w : walks) {
        log.clear();
        ConnectionPointObject& point = w.walk == Firing ? source.events : source.notify;
        auto walk = [&] {
            if (w.walk == Firing)
                Fire(point, &Click);
            else if (w.walk == Changed)
                point.SendOnChanged(7);
            else
                EXPECT_TRUE(point.SendOnRequestEdit(7));
        };
        auto called = [&](std::initializer_list<const char*> names) {
            std::vector<std::string> expected;
            for (const char* name : names)
                expected.push_back(std::string(name) + " " + w.call);
            return expected;
        };
        TestSink* first = NewSink("a");
        TestSink* second = NewSink("b");
        TestSink* third = NewSink("c");
        TestSink* late = NewSink("late");
        const DWORD firstCookie = Advise(point, first);
        const DWORD secondCookie = Advise(point, second);
        const DWORD thirdCookie = Advise(point, third);
        // The connections hold the only references of the first two sinks.
        first->Release();
        second->Release();
        DWORD lateCookie = 0;
        bool secondAliveAfterUnadvise = false;
        first->onCall = [&](DISPID, DISPPARAMS*) {
            if (lateCookie != 0)
                return;
            EXPECT_EQ(point.Unadvise(secondCookie), S_OK);
            secondAliveAfterUnadvise = !second->destroyed();
            lateCookie = Advise(point, late);
        };

        walk();
        EXPECT_EQ(log, called({"a", "c"})) << w.what;
        EXPECT_TRUE(secondAliveAfterUnadvise) << w.what;
        EXPECT_TRUE(second->destroyed()) << w.what << ": released when the walk ended";
        EXPECT_EQ(point.Count(), 3) << w.what;

        log.clear();
        walk();
        EXPECT_EQ(log, called({"a", "c", "late"})) << w.what;

        // A sink that ends its own connection and the one after it.
        log.clear();
        third->onCall = [&](DISPID, DISPPARAMS*) {
            EXPECT_EQ(point.Unadvise(thirdCookie), S_OK);
            EXPECT_EQ(point.Unadvise(lateCookie), S_OK);
        };
        walk();
        EXPECT_EQ(log, called({"a", "c"})) << w.what;
        EXPECT_EQ(point.Count(), 1) << w.what;
        EXPECT_EQ(point.Unadvise(firstCookie), S_OK);
        EXPECT_TRUE(first->destroyed()) << w.what;
        EXPECT_EQ(point.Count(), 0) << w.what;
    }
}

TEST_F(ConnectionPoint, FiringPassesParametersLastFirstAndByReferenceValuesComeBack)
{
    const VARTYPE types[] = {VT_I2, VT_R4, VT_BSTR, VT_VARIANT, VT_I2 | VT_BYREF, VT_BOOL | VT_BYREF, VT_R8, VT_I4};
    const EventDescriptor event = {7, 8, types};
    TestSink* sink = NewSink("s0");
    Advise(source.events, sink);
    BSTR text = SysAllocString(L"caption");
    VARIANT variant;
    VariantInit(&variant);
    V_VT(&variant) = VT_I4;
    V_I4(&variant) = 99;
    SHORT value = 1;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    sink->onCall = [&](DISPID dispid, DISPPARAMS* parameters) {
        ASSERT_EQ(parameters->cArgs, 8u);
        EXPECT_EQ(parameters->cNamedArgs, 0u);
        VARIANTARG* args = parameters->rgvarg;
        EXPECT_EQ(V_VT(&args[7]), VT_I2);
        EXPECT_EQ(V_I2(&args[7]), -3);
        EXPECT_EQ(V_VT(&args[6]), VT_R4);
        EXPECT_FLOAT_EQ(V_R4(&args[6]), 1.5f);
        EXPECT_EQ(V_VT(&args[5]), VT_BSTR);
        EXPECT_EQ(V_BSTR(&args[5]), text);
        EXPECT_EQ(V_VT(&args[4]), VT_I4);
        EXPECT_EQ(V_I4(&args[4]), 99);
        ASSERT_EQ(V_VT(&args[3]), VT_I2 | VT_BYREF);
        *V_I2REF(&args[3]) = 5;
        ASSERT_EQ(V_VT(&args[2]), VT_BOOL | VT_BYREF);
        *V_BOOLREF(&args[2]) = VARIANT_TRUE;
        EXPECT_EQ(V_VT(&args[1]), VT_R8);
        EXPECT_DOUBLE_EQ(V_R8(&args[1]), 2.25);
        EXPECT_EQ(V_VT(&args[0]), VT_I4);
        EXPECT_EQ(V_I4(&args[0]), -70000);
    };
    Fire(source.events, &event, SHORT(-3), 1.5f, text, variant, &value, &cancel, 2.25, LONG(-70000));
    EXPECT_EQ(log, std::vector<std::string>{"s0 Invoke 7"});
    EXPECT_EQ(value, 5);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    SysFreeString(text);
}

TEST_F(ConnectionPoint, FiringCarriesEveryKindOfValueAndRefusesTooManyParameters)
{
    const VARTYPE types[] = {VT_CY, VT_DATE, VT_DISPATCH, VT_UNKNOWN, VT_ERROR, VT_BOOL, VT_BSTR | VT_BYREF};
    const EventDescriptor event = {9, 7, types};
    TestSink* sink = NewSink("s0");
    Advise(source.events, sink);
    CY money = {};
    money.int64 = 123456789012LL;
    BSTR text = nullptr;
    sink->onCall = [&](DISPID, DISPPARAMS* parameters) {
        ASSERT_EQ(parameters->cArgs, 7u);
        VARIANTARG* args = parameters->rgvarg;
        EXPECT_EQ(V_VT(&args[6]), VT_CY);
        EXPECT_EQ(V_CY(&args[6]).int64, 123456789012LL);
        EXPECT_EQ(V_VT(&args[5]), VT_DATE);
        EXPECT_DOUBLE_EQ(V_DATE(&args[5]), 45000.5);
        EXPECT_EQ(V_VT(&args[4]), VT_DISPATCH);
        EXPECT_EQ(V_DISPATCH(&args[4]), static_cast<IDispatch*>(sink));
        EXPECT_EQ(V_VT(&args[3]), VT_UNKNOWN);
        EXPECT_EQ(V_UNKNOWN(&args[3]), nullptr);
        EXPECT_EQ(V_VT(&args[2]), VT_ERROR);
        EXPECT_EQ(V_ERROR(&args[2]), DISP_E_PARAMNOTFOUND);
        EXPECT_EQ(V_VT(&args[1]), VT_BOOL);
        EXPECT_EQ(V_BOOL(&args[1]), VARIANT_TRUE);
        ASSERT_EQ(V_VT(&args[0]), VT_BSTR | VT_BYREF);
        *V_BSTRREF(&args[0]) = SysAllocString(L"from the sink");
    };
    Fire(source.events, &event, money, DATE(45000.5), static_cast<IDispatch*>(sink), static_cast<IUnknown*>(nullptr),
         SCODE(DISP_E_PARAMNOTFOUND), VARIANT_TRUE, &text);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, L"from the sink");
    SysFreeString(text);

    // More parameters than the firing has room for: nothing is fired.
    VARTYPE many[MaxEventParameters + 1];
    for (VARTYPE& type : many)
        type = VT_I4;
    const EventDescriptor tooMany = {10, MaxEventParameters + 1, many};
    log.clear();
    Fire(source.events, &tooMany);
    EXPECT_TRUE(log.empty());
}

TEST_F(ConnectionPoint, PropertyNotificationReachesTheNotifySinks)
{
    EXPECT_TRUE(source.notify.SendOnRequestEdit(12));
    TestSink* agreeing = NewSink("s0");
    TestSink* refusing = NewSink("s1");
    TestSink* last = NewSink("s2");
    for (TestSink* sink : {agreeing, refusing, last}) {
        DWORD cookie = 0;
        EXPECT_EQ(source.notify.Advise(static_cast<IDispatch*>(sink), &cookie), S_OK);
    }
    source.notify.SendOnChanged(12);
    EXPECT_TRUE(source.notify.SendOnRequestEdit(13));
    refusing->requestEditAnswer = S_FALSE;
    EXPECT_FALSE(source.notify.SendOnRequestEdit(14));
    const std::vector<std::string> expected = {
        "s0 OnChanged 12", "s1 OnChanged 12", "s2 OnChanged 12",
        "s0 OnRequestEdit 13", "s1 OnRequestEdit 13", "s2 OnRequestEdit 13",
        "s0 OnRequestEdit 14", "s1 OnRequestEdit 14"};
    EXPECT_EQ(log, expected);
}

TEST_F(ConnectionPoint, AnEnumeratorOfConnectionsHoldsItsEntriesAndItsObject)
{
    TestSink* sink = NewSink("s0");
    const DWORD cookie = Advise(source.events, sink);
    sink->Release();
    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(source.events.EnumConnections(&connections), S_OK);
    EXPECT_EQ(source.references, 2);
    // Everything else lets go: the enumerator still hands out a live sink.
    EXPECT_EQ(source.events.Unadvise(cookie), S_OK);
    EXPECT_FALSE(sink->destroyed());
    CONNECTDATA data = {};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(1, &data, &fetched), S_OK);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(data.dwCookie, cookie);
    EXPECT_EQ(data.pUnk, static_cast<IUnknown*>(static_cast<IDispatch*>(sink)));
    data.pUnk->Release();
    ComPtr<IEnumConnections> clone;
    EXPECT_EQ(connections->Clone(&clone), S_OK);
    connections.Reset();
    EXPECT_FALSE(sink->destroyed());
    clone.Reset();
    EXPECT_TRUE(sink->destroyed());
    EXPECT_EQ(source.references, 1);
}

TEST_F(ConnectionPoint, DestroyingThePointReleasesItsSinks)
{
    TestSink* sink = NewSink("s0");
    {
        TestEventSource other;
        DWORD cookie = 0;
        EXPECT_EQ(other.notify.Advise(static_cast<IDispatch*>(sink), &cookie), S_OK);
        EXPECT_EQ(sink->References(), 2);
    }
    EXPECT_EQ(sink->References(), 1);
}

} // namespace
