#include "DispatchByName.h"

#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<IFont> NewFont(const wchar_t* name, bool underline)
{
    wchar_t nameCopy[64];
    wcscpy(nameCopy, name);
    FONTDESC description = {sizeof(FONTDESC), nameCopy, {}, FW_NORMAL, DEFAULT_CHARSET, FALSE,
                            underline ? TRUE : FALSE, FALSE};
    description.cySize.int64 = 10 * 10000;
    ComPtr<IFont> font;
    EXPECT_EQ(OleCreateFontIndirect(&description, IID_IFont, &font), S_OK);
    return font;
}

// A control as far as property access by name sees it: an OLE object with a client site, whose
// site is a control site that wraps it in an extended control.
class TestControlSite final : public IOleClientSite, public IOleControlSite {
public:
    explicit TestControlSite(IDispatch* extended) : extended_(extended) {}
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
            *object = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(iid, IID_IOleControlSite))
            *object = static_cast<IOleControlSite*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** extended) override
    {
        *extended = extended_;
        if (extended_ == nullptr)
            return E_NOTIMPL;
        extended_->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

private:
    IDispatch* extended_;
};

// The control: an OLE object whose own properties are those of `self`.
class TestControl final : public IOleObject {
public:
    TestControl(IDispatch* self, IOleClientSite* site) : self_(self), site_(site) {}
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IDispatch))
            return self_->QueryInterface(iid, object);
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IOleObject))
            return E_NOINTERFACE;
        *object = static_cast<IOleObject*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override
    {
        *site = site_;
        if (site_ == nullptr)
            return E_FAIL;
        site_->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

private:
    IDispatch* self_;
    IOleClientSite* site_;
};

// The Underline property as read through the extended control or not; the test fonts differ in it.
bool UnderlineOf(IUnknown* object, bool extended)
{
    VARIANT result;
    VariantInit(&result);
    EXPECT_TRUE(DispatchInvokeByName(object, L"Underline", &result, 0, nullptr, DISPATCH_PROPERTYGET, extended,
                                     nullptr, false));
    EXPECT_EQ(V_VT(&result), VT_BOOL);
    return V_BOOL(&result) != VARIANT_FALSE;
}

TEST(DispatchByName, ReadsAndWritesPropertiesOfTheObjectItself)
{
    ComPtr<IFont> font = NewFont(L"Arial", false);
    VARIANT value;
    VariantInit(&value);
    EXPECT_TRUE(DispatchGetByName(font.Get(), L"bold", &value));
    EXPECT_EQ(V_VT(&value), VT_BOOL);
    EXPECT_EQ(V_BOOL(&value), VARIANT_FALSE);

    VARIANT bold;
    VariantInit(&bold);
    V_VT(&bold) = VT_BOOL;
    V_BOOL(&bold) = VARIANT_TRUE;
    EXPECT_TRUE(DispatchPutByName(font.Get(), L"Bold", bold));
    BOOL isBold = FALSE;
    EXPECT_EQ(font->get_Bold(&isBold), S_OK);
    EXPECT_TRUE(isBold);

    VARIANT size;
    VariantInit(&size);
    V_VT(&size) = VT_I4;
    V_I4(&size) = 14;
    EXPECT_TRUE(DispatchPutByNameArgs(font.Get(), L"Size", nullptr, 1, &size, true));
    CY points = {};
    EXPECT_EQ(font->get_Size(&points), S_OK);
    // The size comes back as the nearest the screen shows.
    EXPECT_NEAR(double(points.int64), 14 * 10000, 5000);
}

// Without an object there is nothing to do, and that is no failure: the ribbon's walk over its
// siblings goes on past a missing one.
TEST(DispatchByName, NoObjectIsDoneAtOnce)
{
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_I4;
    result.lVal = 123;
    DISPID cached = 0;
    VARIANT argument;
    VariantInit(&argument);
    EXPECT_TRUE(DispatchInvokeByName(nullptr, L"Name", &result, 0, nullptr, DISPATCH_PROPERTYGET, true, &cached,
                                     false));
    EXPECT_TRUE(DispatchGetByName(nullptr, L"Name", &result));
    EXPECT_TRUE(DispatchPutByName(nullptr, L"Value", argument));
    EXPECT_TRUE(DispatchPutByNameArgs(nullptr, L"Value", &result, 1, &argument, true));
    EXPECT_EQ(result.vt, VT_I4) << "nothing is done: the result is not even cleared";
    EXPECT_EQ(result.lVal, 123);
    EXPECT_EQ(cached, 0);
}

TEST(DispatchByName, FailsWithoutNameOrDispatch)
{
    VARIANT result;
    VariantInit(&result);
    ComPtr<IFont> named = NewFont(L"Arial", false);
    EXPECT_FALSE(DispatchGetByName(named.Get(), nullptr, &result));
    ComPtr<IFont> font = NewFont(L"Arial", false);
    EXPECT_FALSE(DispatchGetByName(font.Get(), L"NoSuchProperty", &result));
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    EXPECT_FALSE(DispatchGetByName(stream.Get(), L"Name", &result));
}

TEST(DispatchByName, TheCachedDispidIsFilledOnceAndUsedAfterwards)
{
    ComPtr<IFont> font = NewFont(L"Arial", false);
    VARIANT result;
    DISPID cached = 0;
    EXPECT_TRUE(DispatchInvokeByName(font.Get(), L"Name", &result, 0, nullptr, DISPATCH_PROPERTYGET, false, &cached,
                                     false));
    VariantClear(&result);
    EXPECT_EQ(cached, DISPID_FONT_NAME);
    // The cache now decides what is read, whatever the name says.
    cached = DISPID_FONT_BOLD;
    EXPECT_TRUE(DispatchInvokeByName(font.Get(), L"Name", &result, 0, nullptr, DISPATCH_PROPERTYGET, false, &cached,
                                     false));
    EXPECT_EQ(V_VT(&result), VT_BOOL);
}

TEST(DispatchByName, TheExtendedControlIsUsedWhenAskedAndPresent)
{
    ComPtr<IFont> own = NewFont(L"Arial", false);
    ComPtr<IFont> extendedFont = NewFont(L"Arial", true);
    ComPtr<IDispatch> extended;
    ASSERT_EQ(extendedFont.As(&extended), S_OK);
    ComPtr<IDispatch> self;
    ASSERT_EQ(own.As(&self), S_OK);

    TestControlSite site(extended.Get());
    TestControl control(self.Get(), &site);
    EXPECT_TRUE(UnderlineOf(&control, true));
    EXPECT_FALSE(UnderlineOf(&control, false));

    // No extended control from the site, or no site at all: the object's own properties.
    TestControlSite plainSite(nullptr);
    TestControl plain(self.Get(), &plainSite);
    EXPECT_FALSE(UnderlineOf(&plain, true));
    TestControl siteless(self.Get(), nullptr);
    EXPECT_FALSE(UnderlineOf(&siteless, true));

    // Every reference taken on the way was given back.
    EXPECT_EQ(site.references, 1);
    EXPECT_EQ(plainSite.references, 1);
    EXPECT_EQ(control.references, 1);
}

} // namespace
