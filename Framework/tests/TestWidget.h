// A small automation object of the framework's tests, built the way the library builds its objects:
// an AutomationObject with the dual interface ITestWidget of the tests' type library.
#pragma once
#include "AutomationObject.h"
#include "FrameworkTestLibrary.h"

class TestWidget : public AutomationObject, public ITestWidget, public ISupportErrorInfo {
public:
    TestWidget(IUnknown* outer, int row);
    ~TestWidget() override;

    HRESULT InternalQueryInterface(REFIID riid, void** object) override;
    void BeforeDestroy() override;
    // The tests' own string table, or the module named by resourceModule.
    HINSTANCE GetResourceInstance() override;

    DECLARE_DELEGATING_UNKNOWN()
    DECLARE_AUTOMATION_DISPATCH(AutomationObject)
    DECLARE_SUPPORT_ERROR_INFO(AutomationObject)

    STDMETHOD(get_Width)(LONG* value) override;
    STDMETHOD(put_Width)(LONG value) override;
    STDMETHOD(Scale)(LONG factor, LONG* value) override;
    // Bevel widths run from 0 to 30; others raise the library's error.
    STDMETHOD(put_BevelWidth)(SHORT value) override;
    STDMETHOD(get_BevelWidth)(SHORT* value) override;

    // What the tests watch: objects destroyed, teardowns run, and whether the next teardown takes and
    // drops references to its own object.
    static int destroyedCount;
    static int beforeDestroyCount;
    static bool referenceItselfInTeardown;
    static HINSTANCE resourceModule;

private:
    LONG width_ = 0;
    SHORT bevelWidth_ = 0;
};

// The create functions of the test table's rows.
IUnknown* CreateTestWidget(IUnknown* outer);
IUnknown* CreateTestGadget(IUnknown* outer);
IUnknown* CreateTestHidden(IUnknown* outer);

// Rows of the test table.
enum TestTableRow {
    TestWidgetRow = 0,   // control, creatable
    TestGadgetRow = 1,   // automation object, creatable
    TestHiddenRow = 2,   // automation object without CLSID, its interface not in the type library
    TestPlainRow = 3,    // plain COM object, registered by CLSID only, never created
};
extern const CLSID TestWidgetClsid;
extern const CLSID TestGadgetClsid;
extern const CLSID TestPlainClsid;
