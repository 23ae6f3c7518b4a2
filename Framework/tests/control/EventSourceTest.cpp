// The control's two connection points as its container finds and lists them.
#include "ControlTestSupport.h"

namespace {

using EventSourceTest = ControlTest;

TEST_F(EventSourceTest, FindsTheEventsAndPropertyNotifyPoints)
{
    HeldControl control;
    IConnectionPointContainer* points = control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    const struct {
        const IID* asked;
        HRESULT result;
        const IID* connection;
    } cases[] = {
        {&DIID_DTestControlEvents, S_OK, &DIID_DTestControlEvents},
        {&IID_IDispatch, S_OK, &DIID_DTestControlEvents},
        {&IID_IPropertyNotifySink, S_OK, &IID_IPropertyNotifySink},
        {&IID_ITestControl, E_NOINTERFACE, nullptr},
    };
    for (const auto& c : cases) {
        IConnectionPoint* point = reinterpret_cast<IConnectionPoint*>(1);
        ASSERT_EQ(points->FindConnectionPoint(*c.asked, &point), c.result);
        if (c.connection == nullptr) {
            EXPECT_EQ(point, nullptr);
            continue;
        }
        IID iid = {};
        EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
        EXPECT_TRUE(IsEqualIID(iid, *c.connection));
        IConnectionPointContainer* back = nullptr;
        EXPECT_EQ(point->GetConnectionPointContainer(&back), S_OK);
        EXPECT_EQ(back, points);
        back->Release();
        point->Release();
    }

    IEnumConnectionPoints* list = nullptr;
    ASSERT_EQ(points->EnumConnectionPoints(&list), S_OK);
    IConnectionPoint* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(list->Next(3, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    IID first = {};
    IID second = {};
    found[0]->GetConnectionInterface(&first);
    found[1]->GetConnectionInterface(&second);
    EXPECT_TRUE(IsEqualIID(first, DIID_DTestControlEvents));
    EXPECT_TRUE(IsEqualIID(second, IID_IPropertyNotifySink));
    found[0]->Release();
    found[1]->Release();
    list->Release();
}

} // namespace
