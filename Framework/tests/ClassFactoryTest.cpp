// The class factory and the object table lookup, on the tests' object table.
#include "ClassFactory.h"
#include "ComReference.h"
#include "Module.h"
#include "ObjectDescriptor.h"
#include "TestWidget.h"

#include <gtest/gtest.h>

namespace {

const CLSID UnknownClsid = {0x5B1E2A99, 0x7C3D, 0x4F60, {0x9A, 0x51, 0x0D, 0x3E, 0x4C, 0x2B, 0x1A, 0x01}};

// An aggregating object that only counts its references.
struct CountingOuter : IUnknown {
    STDMETHOD(QueryInterface)(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++count; }
    STDMETHOD_(ULONG, Release)() override { return --count; }
    ULONG count = 1;
};

TEST(ObjectDescriptorTable, FindClsidFindsEveryRowWithAClsid)
{
    struct Case { const CLSID* clsid; int row; } cases[] = {
        {&TestWidgetClsid, TestWidgetRow}, {&TestGadgetClsid, TestGadgetRow}, {&TestPlainClsid, TestPlainRow},
        {&UnknownClsid, -1}, {&GUID_NULL, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ObjectDescriptorTable::FindClsid(*c.clsid), c.row) << c.row;
    EXPECT_EQ(ObjectDescriptorTable::Control(TestWidgetRow)->toolboxBitmapId, 107);
    EXPECT_EQ(ObjectDescriptorTable::Control(TestGadgetRow), nullptr) << "not a control row";
}

TEST(ClassFactory, AnswersIUnknownAndIClassFactoryOnly)
{
    ClassFactory* factory = new ClassFactory(TestWidgetRow);
    void* object = nullptr;
    EXPECT_EQ(factory->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(object, static_cast<IClassFactory*>(factory));
    factory->Release();
    EXPECT_EQ(factory->QueryInterface(IID_IClassFactory, &object), S_OK);
    factory->Release();
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->QueryInterface(IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_INVALIDARG);
    EXPECT_EQ(factory->Release(), 0u);
}

TEST(ClassFactory, FactoriesAndLocksCountInTheModuleObjectCount)
{
    const LONG before = Module::ObjectCount();
    ClassFactory* factory = new ClassFactory(TestWidgetRow);
    EXPECT_EQ(Module::ObjectCount(), before + 1);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Module::ObjectCount(), before + 2);
    factory->Release();
    EXPECT_EQ(Module::ObjectCount(), before + 1) << "a lock outlives its factory";
    ClassFactory* another = new ClassFactory(TestGadgetRow);
    EXPECT_EQ(another->LockServer(FALSE), S_OK);
    another->Release();
    EXPECT_EQ(Module::ObjectCount(), before);
}

// Creation through the factory: aggregation rules, failures leave nothing alive and a null out pointer.
TEST(ClassFactory, CreationRules)
{
    CountingOuter outer;
    struct Case {
        const char* what;
        int row;
        bool aggregated;
        const IID* iid;
        HRESULT hr;
    } cases[] = {
        {"standalone, dual interface", TestWidgetRow, false, &IID_ITestWidget, S_OK},
        {"standalone, IUnknown", TestGadgetRow, false, &IID_IUnknown, S_OK},
        {"standalone, interface it lacks", TestWidgetRow, false, &IID_IPersistStream, E_NOINTERFACE},
        {"aggregated, IUnknown", TestWidgetRow, true, &IID_IUnknown, S_OK},
        {"aggregated, any other interface", TestWidgetRow, true, &IID_ITestWidget, E_INVALIDARG},
        {"row that cannot create", TestPlainRow, false, &IID_IUnknown, E_OUTOFMEMORY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LONG before = Module::ObjectCount();
        const int destroyedBefore = TestWidget::destroyedCount;
        IClassFactory* factory = new ClassFactory(c.row);
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(factory->CreateInstance(c.aggregated ? &outer : nullptr, *c.iid, &object), c.hr);
        if (FAILED(c.hr)) {
            EXPECT_EQ(object, nullptr);
        } else {
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(Module::ObjectCount(), before + 2);
            EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 0u) << "the caller holds the only reference";
            EXPECT_EQ(TestWidget::destroyedCount, destroyedBefore + 1);
        }
        factory->Release();
        EXPECT_EQ(Module::ObjectCount(), before);
        EXPECT_EQ(outer.count, 1u);
    }
}

TEST(ClassFactory, AggregatedObjectIsHandedOutAsItsPrivateUnknown)
{
    CountingOuter outer;
    IUnknown* inner = nullptr;
    ASSERT_EQ(ClassFactory::CreateObject(&outer, TestWidgetRow, IID_IUnknown, reinterpret_cast<void**>(&inner)), S_OK);
    // The private unknown answers the inner interfaces; they delegate to the outer object.
    ComReference<ITestWidget> widget;
    ASSERT_EQ(inner->QueryInterface(IID_ITestWidget, widget.OutVoid()), S_OK);
    EXPECT_EQ(outer.count, 2u);
    widget.Reset();
    EXPECT_EQ(outer.count, 1u);
    EXPECT_EQ(inner->Release(), 0u);
}

} // namespace
