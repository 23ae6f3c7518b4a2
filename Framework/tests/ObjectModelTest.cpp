// The unknown object (reference counting, aggregation, the query chain, the teardown guard) and the
// automation object (IDispatch through the type library, the per-row type-information cache, error
// information), on the test widget and the tests' type library.
#include "AnsiString.h"
#include "ComReference.h"
#include "ControlErrorCodes.h"
#include "FrameworkLock.h"
#include "Module.h"
#include "TestWidget.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A created widget, held by its private unknown.
struct Widget {
    explicit Widget(int row = TestWidgetRow, IUnknown* outer = nullptr)
        : unknown(row == TestWidgetRow ? CreateTestWidget(outer) : row == TestGadgetRow ? CreateTestGadget(outer)
                                                                                       : CreateTestHidden(outer))
    {
        object = static_cast<TestWidget*>(static_cast<ITestWidget*>(Interface()));
    }
    ~Widget()
    {
        if (unknown != nullptr)
            unknown->Release();
    }
    // The dual interface without a reference of its own (the private unknown keeps the object).
    ITestWidget* Interface()
    {
        ITestWidget* widget = nullptr;
        if (unknown == nullptr || FAILED(unknown->QueryInterface(IID_ITestWidget, reinterpret_cast<void**>(&widget))))
            return nullptr;
        widget->Release();
        return widget;
    }
    IUnknown* unknown;
    TestWidget* object = nullptr;
};

std::wstring Text(BSTR text)
{
    std::wstring result(text != nullptr ? text : L"", text != nullptr ? SysStringLen(text) : 0);
    SysFreeString(text);
    return result;
}

// An aggregating object: counts what its inner object forwards to it.
class OuterUnknown : public IUnknown {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override
    {
        ++queries;
        if (IsEqualIID(riid, IID_IUnknown)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++count; }
    STDMETHOD_(ULONG, Release)() override { return --count; }
    ULONG count = 1;
    int queries = 0;
};

TEST(UnknownObject, PrivateUnknownAnswersItselfAndCountsReferences)
{
    const LONG objectsBefore = Module::ObjectCount();
    Widget widget;
    ASSERT_NE(widget.unknown, nullptr);
    EXPECT_EQ(Module::ObjectCount(), objectsBefore + 1);

    IUnknown* again = nullptr;
    ASSERT_EQ(widget.unknown->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again)), S_OK);
    EXPECT_EQ(again, widget.unknown);
    EXPECT_EQ(again->Release(), 1u);
    EXPECT_EQ(widget.unknown->AddRef(), 2u);
    EXPECT_EQ(widget.unknown->Release(), 1u);

    // Not aggregated: every interface delegates to the private unknown, so identity holds.
    ITestWidget* dual = widget.Interface();
    IUnknown* identity = nullptr;
    ASSERT_EQ(dual->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, widget.unknown);
    identity->Release();

    IDispatch* dispatch = nullptr;
    ASSERT_EQ(widget.unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    EXPECT_EQ(dispatch, static_cast<IDispatch*>(dual));
    dispatch->Release();

    void* nothing = reinterpret_cast<void*>(1);
    EXPECT_EQ(widget.unknown->QueryInterface(IID_IPersistStream, &nothing), E_NOINTERFACE);
    EXPECT_EQ(nothing, nullptr);
}

TEST(UnknownObject, LastReleaseDestroysOnceAndLowersTheObjectCount)
{
    const LONG objectsBefore = Module::ObjectCount();
    const int destroyedBefore = TestWidget::destroyedCount;
    IUnknown* unknown = CreateTestWidget(nullptr);
    ASSERT_NE(unknown, nullptr);
    unknown->AddRef();
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(TestWidget::destroyedCount, destroyedBefore);
    EXPECT_EQ(unknown->Release(), 0u);
    EXPECT_EQ(TestWidget::destroyedCount, destroyedBefore + 1);
    EXPECT_EQ(Module::ObjectCount(), objectsBefore);
}

TEST(UnknownObject, TeardownThatTakesAndDropsReferencesDestroysOnce)
{
    const int destroyedBefore = TestWidget::destroyedCount;
    const int teardownsBefore = TestWidget::beforeDestroyCount;
    IUnknown* unknown = CreateTestWidget(nullptr);
    ASSERT_NE(unknown, nullptr);
    TestWidget::referenceItselfInTeardown = true;
    EXPECT_EQ(unknown->Release(), 0u);
    TestWidget::referenceItselfInTeardown = false;
    EXPECT_EQ(TestWidget::beforeDestroyCount, teardownsBefore + 1);
    EXPECT_EQ(TestWidget::destroyedCount, destroyedBefore + 1);
}

TEST(UnknownObject, AggregatedObjectDelegatesItsInterfacesToTheOuterUnknown)
{
    OuterUnknown outer;
    {
        Widget widget(TestWidgetRow, &outer);
        ASSERT_NE(widget.unknown, nullptr);
        // The private unknown stays the inner object's own.
        ITestWidget* dual = nullptr;
        ASSERT_EQ(widget.unknown->QueryInterface(IID_ITestWidget, reinterpret_cast<void**>(&dual)), S_OK);
        EXPECT_EQ(outer.count, 2u) << "the interface's reference is the outer object's";
        EXPECT_EQ(outer.queries, 0);

        // Through any interface: identity, references and queries are the outer object's.
        IUnknown* identity = nullptr;
        ASSERT_EQ(dual->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
        EXPECT_EQ(outer.queries, 1);
        identity->Release();
        dual->AddRef();
        EXPECT_EQ(outer.count, 3u);
        dual->Release();
        dual->Release();
        EXPECT_EQ(outer.count, 1u);
    }
    EXPECT_EQ(outer.count, 1u);
}

TEST(AutomationObject, TypeInfoCountAndIndexRules)
{
    Widget widget;
    ITestWidget* dual = widget.Interface();
    UINT count = 0;
    EXPECT_EQ(dual->GetTypeInfoCount(nullptr), E_INVALIDARG);
    EXPECT_EQ(dual->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);

    ITypeInfo* typeInfo = nullptr;
    EXPECT_EQ(dual->GetTypeInfo(1, 0, &typeInfo), DISP_E_BADINDEX);
    EXPECT_EQ(dual->GetTypeInfo(0, 0, nullptr), E_POINTER);

    ComReference<ITypeInfo> info;
    ASSERT_EQ(dual->GetTypeInfo(0, 0, info.Out()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    // The interface half of the dual interface: what ITypeInfo::Invoke calls through the vtable.
    EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
    EXPECT_TRUE(IsEqualIID(attributes->guid, IID_ITestWidget));
    info->ReleaseTypeAttr(attributes);
}

TEST(AutomationObject, NamesAndInvokeRefuseAnInterfaceId)
{
    Widget widget;
    ITestWidget* dual = widget.Interface();
    wchar_t name[] = L"Width";
    LPOLESTR names[] = {name};
    DISPID dispid = 0;
    EXPECT_EQ(dual->GetIDsOfNames(IID_ITestWidget, names, 1, 0, &dispid), E_INVALIDARG);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(dual->Invoke(1, IID_ITestWidget, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
              E_INVALIDARG);
}

TEST(AutomationObject, NamesComeFromTheTypeLibrary)
{
    Widget widget;
    ITestWidget* dual = widget.Interface();
    struct Case { const wchar_t* name; HRESULT hr; DISPID dispid; } cases[] = {
        {L"Width", S_OK, 1}, {L"Scale", S_OK, 2}, {L"bevelwidth", S_OK, 3}, {L"Height", DISP_E_UNKNOWNNAME, -1},
    };
    for (const Case& c : cases) {
        std::wstring text(c.name);
        LPOLESTR names[] = {&text[0]};
        DISPID dispid = 0;
        EXPECT_EQ(dual->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid), c.hr) << std::string(text.begin(), text.end());
        if (c.hr == S_OK) {
            EXPECT_EQ(dispid, c.dispid);
        }
    }
}

TEST(AutomationObject, InvokeReachesTheDualInterfaceAndWritesBackByReference)
{
    Widget widget;
    ITestWidget* dual = widget.Interface();

    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_I4;
    V_I4(&value) = 42;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS putParams = {&value, &put, 1, 1};
    ASSERT_EQ(dual->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &putParams, nullptr, nullptr, nullptr), S_OK);
    LONG width = 0;
    EXPECT_EQ(dual->get_Width(&width), S_OK);
    EXPECT_EQ(width, 42);

    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_EQ(dual->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(V_VT(&result), VT_I4);
    EXPECT_EQ(V_I4(&result), 42);

    // Scale(factor, [in, out] value): arguments go in reverse order; the by-reference one comes back.
    LONG scaled = 7;
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    VariantInit(&arguments[1]);
    V_VT(&arguments[0]) = VT_I4 | VT_BYREF;
    V_I4REF(&arguments[0]) = &scaled;
    V_VT(&arguments[1]) = VT_I4;
    V_I4(&arguments[1]) = 3;
    DISPPARAMS scaleParams = {arguments, nullptr, 2, 0};
    ASSERT_EQ(dual->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &scaleParams, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(scaled, 21);
}

TEST(AutomationObject, TypeInfoCacheIsHeldByTheObjectThatFilledIt)
{
    AutomationDescriptor& row = *ObjectDescriptorTable::Automation(TestGadgetRow);
    ASSERT_EQ(row.typeInfo, nullptr);
    ComReference<ITypeInfo> info;
    {
        Widget first(TestGadgetRow);
        Widget second(TestGadgetRow);
        ASSERT_EQ(first.Interface()->GetTypeInfo(0, 0, info.Out()), S_OK);
        EXPECT_EQ(row.typeInfo, info.Get());
        EXPECT_EQ(row.typeInfoUsers, 1);
        ComReference<ITypeInfo> shared;
        ASSERT_EQ(second.Interface()->GetTypeInfo(0, 0, shared.Out()), S_OK);
        EXPECT_EQ(shared.Get(), info.Get());
        EXPECT_EQ(row.typeInfoUsers, 1) << "a user of a filled cache does not count itself";

        // The filler goes: the cache is emptied, and the next request fills it again for its object.
        first.unknown->Release();
        first.unknown = nullptr;
        EXPECT_EQ(row.typeInfo, nullptr);
        EXPECT_EQ(row.typeInfoUsers, 0);
        ASSERT_EQ(second.Interface()->GetTypeInfo(0, 0, shared.Out()), S_OK);
        EXPECT_NE(row.typeInfo, nullptr);
        EXPECT_EQ(row.typeInfoUsers, 1);
    }
    EXPECT_EQ(row.typeInfo, nullptr);
    EXPECT_EQ(row.typeInfoUsers, 0);
    // What the caller was handed outlives the cache.
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    info->ReleaseTypeAttr(attributes);
}

TEST(AutomationObject, InterfaceMissingFromTheTypeLibraryFailsEveryDispatchCall)
{
    Widget hidden(TestHiddenRow);
    ITestWidget* dual = hidden.Interface();
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
    const HRESULT hr = dual->GetTypeInfo(0, 0, &info);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(ObjectDescriptorTable::Automation(TestHiddenRow)->typeInfo, nullptr);
    EXPECT_EQ(ObjectDescriptorTable::Automation(TestHiddenRow)->typeInfoUsers, 0);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(dual->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr), hr);
}

TEST(AutomationObject, SupportsErrorInfoForItsDualInterfaceOnly)
{
    Widget widget;
    ComReference<ISupportErrorInfo> support;
    ASSERT_EQ(widget.unknown->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITestWidget), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IUnknown), S_FALSE);
}

// The thread's error information, read back.
struct RaisedError {
    explicit RaisedError()
    {
        ComReference<IErrorInfo> info;
        present = GetErrorInfo(0, info.Out()) == S_OK && info;
        if (!present)
            return;
        BSTR text = nullptr;
        info->GetDescription(&text);
        description = Text(text);
        text = nullptr;
        info->GetSource(&text);
        source = Text(text);
        text = nullptr;
        info->GetHelpFile(&text);
        helpFile = Text(text);
        info->GetHelpContext(&helpContext);
        info->GetGUID(&guid);
    }
    bool present = false;
    std::wstring description, source, helpFile;
    DWORD helpContext = 99;
    GUID guid = GUID_NULL;
};

TEST(AutomationObject, RangeErrorOfAPropertyReachesTheHostAsErrorInformation)
{
    Widget widget;
    ITestWidget* dual = widget.Interface();
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(dual->put_BevelWidth(31), ControlErrorCodes::BevelWidth0To30.hr);
    const RaisedError error;
    ASSERT_TRUE(error.present);
    EXPECT_EQ(error.description, L"Bevel width must be from 0 to 30");
    EXPECT_EQ(error.source, L"TestWidget");
    EXPECT_EQ(error.helpFile, L"Widget.HLP");
    EXPECT_EQ(error.helpContext, 0u);
    EXPECT_TRUE(IsEqualGUID(error.guid, IID_ITestWidget));

    // Through IDispatch the host gets the same error as an exception.
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_I2;
    V_I2(&value) = 31;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &put, 1, 1};
    EXCEPINFO exception = {};
    const HRESULT hr = dual->Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, &exception, nullptr);
    EXPECT_EQ(hr, DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, ControlErrorCodes::BevelWidth0To30.hr);
    EXPECT_EQ(Text(exception.bstrDescription), L"Bevel width must be from 0 to 30");
    EXPECT_EQ(Text(exception.bstrSource), L"TestWidget");
    SysFreeString(exception.bstrHelpFile);
    SHORT bevel = -1;
    EXPECT_EQ(dual->get_BevelWidth(&bevel), S_OK);
    EXPECT_EQ(bevel, 0) << "a refused value changes nothing";
}

TEST(AutomationObject, InvokeClearsAStaleError)
{
    Widget widget;
    ITestWidget* dual = widget.Interface();
    widget.object->RaiseError(E_FAIL, 40002);
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_EQ(dual->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_FALSE(RaisedError().present);
}

TEST(AutomationObject, RaiseErrorOfAMissingStringGivesAnEmptyDescription)
{
    Widget gadget(TestGadgetRow);
    const HRESULT hr = static_cast<HRESULT>(0x800A7777);
    EXPECT_EQ(gadget.object->RaiseError(hr, 12345, 12), hr);
    const RaisedError error;
    ASSERT_TRUE(error.present);
    EXPECT_EQ(error.description, L"");
    EXPECT_EQ(error.source, L"TestGadget");
    EXPECT_EQ(error.helpFile, L"") << "a row without a help file";
    EXPECT_EQ(error.helpContext, 12u);
}

TEST(AutomationObject, RaiseErrorFillsTheMarkersOfItsText)
{
    Widget widget;
    const AnsiString width("40");
    const AnsiString range("0 to 30");
    const AnsiString* arguments[] = {&width, &range, nullptr};
    const AnsiString* firstOnly[] = {&width, nullptr};
    struct Case { const AnsiString* const* arguments; const wchar_t* description; } cases[] = {
        {arguments, L"Width 40 is not within 0 to 30"},
        {firstOnly, L"Width 40 is not within |2"},
        {nullptr, L"Width |1 is not within |2"},
    };
    for (const Case& c : cases) {
        const HRESULT hr = static_cast<HRESULT>(0x800A017C);
        EXPECT_EQ(widget.object->RaiseError(hr, 40100, 0, c.arguments), hr);
        const RaisedError error;
        ASSERT_TRUE(error.present);
        EXPECT_EQ(error.description, c.description);
    }
}

// Every error of the library, with its text from the library's own string table.
TEST(ControlErrorCodes, EachErrorReadsBackWithTheLibrarysText)
{
    const HMODULE library = LoadLibraryExA("Plyx20.ocx", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(library, nullptr);
    struct Case { ControlError error; const wchar_t* text; } cases[] = {
        {ControlErrorCodes::InvalidPropertyValue, L"Invalid property value"},
        {ControlErrorCodes::PropertyUnavailableAtDesignTime, L"Property unavailable at design time"},
        {ControlErrorCodes::BevelWidth0To30, L"Bevel width must be from 0 to 30"},
        {ControlErrorCodes::BorderWidth0To30, L"Border width must be from 0 to 30"},
        {ControlErrorCodes::BevelWidth0To10, L"Bevel width must be from 0 to 10"},
        {ControlErrorCodes::GroupNumber0To99, L"Group number must be from 0 to 99"},
        {ControlErrorCodes::FloodPercent0To100, L"Flood percent must be from 0 to 100"},
        {ControlErrorCodes::BackStyleTransparentAtRunTime,
         L"The BackStyle can not be set to Transparent at run-time if it was not set to Transparent at design-time."},
        {{E_FAIL, ControlErrorCodes::InvalidPropertyArrayIndexText}, L"Invalid property array index"},
        {{E_FAIL, ControlErrorCodes::PropertyIsReadOnlyText}, L"Property is read-only"},
    };
    Widget widget;
    TestWidget::resourceModule = reinterpret_cast<HINSTANCE>(library);
    for (const Case& c : cases) {
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(widget.object->RaiseError(c.error), c.error.hr);
        const RaisedError error;
        ASSERT_TRUE(error.present);
        EXPECT_EQ(error.description, c.text) << c.error.stringId;
        EXPECT_EQ(error.source, L"TestWidget");
        EXPECT_EQ(error.helpFile, L"Widget.HLP");
        EXPECT_EQ(error.helpContext, 0u);
    }
    TestWidget::resourceModule = nullptr;
    FreeLibrary(library);
}

} // namespace
