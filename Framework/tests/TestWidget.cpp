#include "TestWidget.h"

#include "ControlErrorCodes.h"

#include <new>

int TestWidget::destroyedCount = 0;
int TestWidget::beforeDestroyCount = 0;
bool TestWidget::referenceItselfInTeardown = false;
HINSTANCE TestWidget::resourceModule = nullptr;

TestWidget::TestWidget(IUnknown* outer, int row)
    : AutomationObject(outer, row, static_cast<ITestWidget*>(this))
{
}

TestWidget::~TestWidget()
{
    ++destroyedCount;
}

HRESULT TestWidget::InternalQueryInterface(REFIID riid, void** object)
{
    if (SameIid(riid, IID_ITestWidget)) {
        *object = static_cast<ITestWidget*>(this);
    } else if (SameIid(riid, IID_ISupportErrorInfo)) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else {
        return AutomationObject::InternalQueryInterface(riid, object);
    }
    static_cast<IUnknown*>(*object)->AddRef();
    return S_OK;
}

void TestWidget::BeforeDestroy()
{
    ++beforeDestroyCount;
    if (referenceItselfInTeardown) {
        // What a control's window teardown does: hands its own object around and lets it go again.
        ITestWidget* self = nullptr;
        if (SUCCEEDED(QueryInterface(IID_ITestWidget, reinterpret_cast<void**>(&self))))
            self->Release();
        AddRef();
        Release();
    }
}

HINSTANCE TestWidget::GetResourceInstance()
{
    return resourceModule != nullptr ? resourceModule : AutomationObject::GetResourceInstance();
}

HRESULT STDMETHODCALLTYPE TestWidget::get_Width(LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = width_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestWidget::put_Width(LONG value)
{
    width_ = value;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestWidget::Scale(LONG factor, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value *= factor;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestWidget::put_BevelWidth(SHORT value)
{
    if (value < 0 || value > 30)
        return RaiseError(ControlErrorCodes::BevelWidth0To30);
    bevelWidth_ = value;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestWidget::get_BevelWidth(SHORT* value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = bevelWidth_;
    return S_OK;
}

namespace {
IUnknown* CreateOnRow(IUnknown* outer, int row)
{
    TestWidget* widget = new (std::nothrow) TestWidget(outer, row);
    return widget != nullptr ? widget->PrivateUnknown() : nullptr;
}
} // namespace

IUnknown* CreateTestWidget(IUnknown* outer) { return CreateOnRow(outer, TestWidgetRow); }
IUnknown* CreateTestGadget(IUnknown* outer) { return CreateOnRow(outer, TestGadgetRow); }
IUnknown* CreateTestHidden(IUnknown* outer) { return CreateOnRow(outer, TestHiddenRow); }
