// A drag's data as a test starts it: the owner, the drag's own IDataObject and the automation data
// object over it; every object made during the test is gone again at its end.
#pragma once
#include "DataObjectTestSupport.h"
#include "DragDataObject.h"
#include "Module.h"
#include "QvDataObject.h"

#include <gtest/gtest.h>

class DataObjectFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        objectsBefore_ = Module::ObjectCount();
        owner_ = new OwnerStandIn;
        ASSERT_EQ(S_OK, DragDataObject::Create(*owner_, &drag_));
        ASSERT_EQ(S_OK, QvDataObject::CreateOutgoing(*drag_, outgoing_.Out()));
    }
    void TearDown() override
    {
        outgoing_.Reset();
        if (drag_ != nullptr)
            drag_->PrivateUnknown()->Release();
        delete owner_;
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(objectsBefore_, Module::ObjectCount()) << "an object of the test is still alive";
    }

    IDataObject* DragData() { return drag_; }

    // An incoming data object over the given data (another application's drag); the caller holds it.
    IQvDataObject* Incoming(IDataObject* data)
    {
        IQvDataObject* incoming = nullptr;
        EXPECT_EQ(S_OK, QvDataObject::CreateIncoming(*data, *owner_, &incoming));
        return incoming;
    }

    OwnerStandIn* owner_ = nullptr;
    DragDataObject* drag_ = nullptr;
    ComReference<IQvDataObject> outgoing_;

private:
    LONG objectsBefore_ = 0;
};
