// The control layer: construction, its interfaces, the version of the persisted state, the hook
// defaults and the firing of the stock events.
#include "BrowsableControl.h"

#include "ControlPersistence.h"
#include "Module.h"
#include "SatelliteResources.h"
#include "WideText.h"

// {4D07FC10-F931-11CE-B001-00AA006884E5}
const IID IID_ICategorizeProperties = {0x4D07FC10, 0xF931, 0x11CE, {0xB0, 0x01, 0x00, 0xAA, 0x00, 0x68, 0x84, 0xE5}};

namespace {

const VARTYPE MouseParameters[] = {VT_I2, VT_I2, VT_I4, VT_I4};
const VARTYPE KeyParameters[] = {VT_I2 | VT_BYREF, VT_I2};
const VARTYPE KeyPressParameters[] = {VT_I2 | VT_BYREF};

const EventDescriptor MouseDownEvent = {DISPID_MOUSEDOWN, 4, MouseParameters};
const EventDescriptor MouseMoveEvent = {DISPID_MOUSEMOVE, 4, MouseParameters};
const EventDescriptor MouseUpEvent = {DISPID_MOUSEUP, 4, MouseParameters};
const EventDescriptor KeyDownEvent = {DISPID_KEYDOWN, 2, KeyParameters};
const EventDescriptor KeyPressEvent = {DISPID_KEYPRESS, 1, KeyPressParameters};
const EventDescriptor KeyUpEvent = {DISPID_KEYUP, 2, KeyParameters};
const EventDescriptor ClickEvent = {DISPID_CLICK, 0, nullptr};
const EventDescriptor DblClickEvent = {DISPID_DBLCLICK, 0, nullptr};

// The system's colour and font property pages.
const CLSID ColorPage = {0x0BE35201, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
const CLSID FontPage = {0x0BE35200, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// The predefined values of a BorderStyle property.
const wchar_t* const BorderStyleNames[] = {L"0 - None", L"1 - Fixed Single"};

} // namespace

BrowsableControl::BrowsableControl(IUnknown* outer, int row, IDispatch* dispatchInterface, DWORD stockEventMask)
    : OleControl(outer, row, dispatchInterface),
      propertyNotifySink_(*this),
      perPropertyBrowsing_(*this),
      categorizeProperties_(*this),
      stockEventMask_(stockEventMask)
{
}

HRESULT BrowsableControl::InternalQueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    IUnknown* answer = nullptr;
    if (SameIid(riid, IID_IPerPropertyBrowsing))
        answer = &perPropertyBrowsing_;
    else if (SameIid(riid, IID_ICategorizeProperties))
        answer = &categorizeProperties_;
    else if (SameIid(riid, IID_IPropertyNotifySink))
        answer = &propertyNotifySink_;
    if (answer == nullptr)
        return OleControl::InternalQueryInterface(riid, object);
    answer->AddRef();
    *object = answer;
    return S_OK;
}

// ---- Version of the persisted state ----

HRESULT BrowsableControl::LoadBaseBinaryState(IStream* stream)
{
    HRESULT hr = OleControl::LoadBaseBinaryState(stream);
    if (FAILED(hr))
        return hr;
    loadedVersion_ = currentVersion_;
    DWORD version = 0;
    hr = ReadExactly(stream, &version, sizeof(version));
    if (FAILED(hr))
        return hr;
    // The blocks that follow have the same layout in every version; the version only tells the
    // property-bag loaders above which fix-ups older data needs.
    loadedVersion_ = version;
    return S_OK;
}

HRESULT BrowsableControl::SaveBaseBinaryState(IStream* stream)
{
    const HRESULT hr = OleControl::SaveBaseBinaryState(stream);
    if (FAILED(hr))
        return hr;
    return WriteExactly(stream, &currentVersion_, sizeof(currentVersion_));
}

HRESULT BrowsableControl::LoadBaseTextState(IPropertyBag* bag, IErrorLog* errorLog)
{
    const HRESULT hr = OleControl::LoadBaseTextState(bag, errorLog);
    if (FAILED(hr))
        return hr;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    if (SUCCEEDED(bag->Read(VersionName, &value, errorLog)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        loadedVersion_ = static_cast<DWORD>(value.lVal);
    else
        loadedVersion_ = currentVersion_;
    VariantClear(&value);
    return S_OK;
}

HRESULT BrowsableControl::SaveBaseTextState(IPropertyBag* bag)
{
    const HRESULT hr = OleControl::SaveBaseTextState(bag);
    if (FAILED(hr))
        return hr;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = static_cast<LONG>(currentVersion_);
    return bag->Write(VersionName, &value);
}

// ---- Hook defaults ----

void BrowsableControl::OnKeyDown(short, short) {}
void BrowsableControl::OnKeyUp(short, short) {}
void BrowsableControl::OnKeyPress(short) {}

LRESULT BrowsableControl::OnCharMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultWindowProc(message, wParam, lParam);
}

BOOL BrowsableControl::GetDisplayString(DISPID, BSTR*) { return FALSE; }

BOOL BrowsableControl::MapPropertyToPage(DISPID dispid, CLSID* page, BOOL* pageFound)
{
    const CLSID* found = nullptr;
    if (dispid == DISPID_FORECOLOR || dispid == DISPID_BACKCOLOR)
        found = &ColorPage;
    else if (dispid == DISPID_FONT)
        found = &FontPage;
    if (found == nullptr)
        return FALSE;
    if (page != nullptr)
        *page = *found;
    if (pageFound != nullptr)
        *pageFound = TRUE;
    return TRUE;
}

BOOL BrowsableControl::GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies)
{
    if (dispid != DISPID_BORDERSTYLE)
        return FALSE;
    constexpr ULONG count = sizeof(BorderStyleNames) / sizeof(BorderStyleNames[0]);
    strings->cElems = 0;
    strings->pElems = static_cast<LPOLESTR*>(CoTaskMemAlloc(sizeof(LPOLESTR) * count));
    cookies->cElems = 0;
    cookies->pElems = static_cast<DWORD*>(CoTaskMemAlloc(sizeof(DWORD) * count));
    bool complete = strings->pElems != nullptr && cookies->pElems != nullptr;
    for (ULONG i = 0; complete && i < count; ++i) {
        strings->pElems[i] = CopyWideString(BorderStyleNames[i], WideStringKind::TaskMemory);
        cookies->pElems[i] = i;
        complete = strings->pElems[i] != nullptr;
        if (complete)
            strings->cElems = cookies->cElems = i + 1;
    }
    if (!complete) {
        // Nothing half-made is handed out.
        for (ULONG i = 0; strings->pElems != nullptr && i < strings->cElems; ++i)
            CoTaskMemFree(strings->pElems[i]);
        CoTaskMemFree(strings->pElems);
        CoTaskMemFree(cookies->pElems);
        *strings = CALPOLESTR{0, nullptr};
        *cookies = CADWORD{0, nullptr};
        return FALSE;
    }
    return TRUE;
}

BOOL BrowsableControl::GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value)
{
    if (dispid != DISPID_BORDERSTYLE || cookie > 1)
        return FALSE;
    // The caller's variant may hold anything: it is written, not cleared.
    VariantInit(value);
    value->vt = VT_I4;
    value->lVal = static_cast<LONG>(cookie);
    return TRUE;
}

HRESULT BrowsableControl::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    if (dispid < DISPID_MOUSEICON || dispid > DISPID_AUTOSIZE) {
        *category = PROPCAT_Misc;
        return DISP_E_MEMBERNOTFOUND;
    }
    switch (dispid) {
    case DISPID_MOUSEICON:
        *category = PictureCategory;
        return S_OK;
    case DISPID_CAPTION:
    case DISPID_TEXT:
        *category = PROPCAT_Text;
        return S_OK;
    case DISPID_TABSTOP:
    case DISPID_ENABLED:
        *category = PROPCAT_Behavior;
        return S_OK;
    case DISPID_HWND:
        *category = PROPCAT_Misc;
        return S_OK;
    case DISPID_FONT:
        *category = PROPCAT_Font;
        return S_OK;
    case -506:
        *category = PROPCAT_Misc;
        return DISP_E_MEMBERNOTFOUND;
    default:
        *category = PROPCAT_Appearance;
        return S_OK;
    }
}

// ---- Stock events ----

void BrowsableControl::FireKeyDown(short* keyCode, short shift) { FireEvent(&KeyDownEvent, keyCode, int(shift)); }
void BrowsableControl::FireKeyUp(short* keyCode, short shift) { FireEvent(&KeyUpEvent, keyCode, int(shift)); }
void BrowsableControl::FireKeyPress(short* character) { FireEvent(&KeyPressEvent, character); }

void BrowsableControl::FireMouseDown(short button, short shift, LONG x, LONG y)
{
    FireEvent(&MouseDownEvent, int(button), int(shift), x, y);
}

void BrowsableControl::FireMouseUp(short button, short shift, LONG x, LONG y)
{
    FireEvent(&MouseUpEvent, int(button), int(shift), x, y);
}

void BrowsableControl::FireMouseMove(short button, short shift, LONG x, LONG y)
{
    FireEvent(&MouseMoveEvent, int(button), int(shift), x, y);
}

void BrowsableControl::FireClick() { FireEvent(&ClickEvent); }
void BrowsableControl::FireDblClick() { FireEvent(&DblClickEvent); }

// ---- Interfaces ----

HRESULT STDMETHODCALLTYPE BrowsableControl::PropertyNotifySinkPart::OnChanged(DISPID dispid)
{
    // What the control's font reports (its size, its weight ...) reaches the container as the font
    // told it.
    control.SetDirty(true);
    control.PropertyNotifyPoint().SendOnChanged(dispid);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowsableControl::PropertyNotifySinkPart::OnRequestEdit(DISPID) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowsableControl::PerPropertyBrowsingPart::GetDisplayString(DISPID dispid, BSTR* text)
{
    return control.GetDisplayString(dispid, text) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowsableControl::PerPropertyBrowsingPart::MapPropertyToPage(DISPID dispid, CLSID* page)
{
    CLSID found = CLSID_NULL;
    BOOL pageFound = FALSE;
    if (!control.MapPropertyToPage(dispid, &found, &pageFound)) {
        if (page != nullptr)
            *page = CLSID_NULL;
        return PERPROP_E_NOPAGEAVAILABLE;
    }
    if (page != nullptr)
        *page = found;
    return pageFound ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowsableControl::PerPropertyBrowsingPart::GetPredefinedStrings(DISPID dispid,
                                                                                         CALPOLESTR* strings,
                                                                                         CADWORD* cookies)
{
    if (strings == nullptr || cookies == nullptr)
        return E_POINTER;
    return control.GetPredefinedStrings(dispid, strings, cookies) ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE BrowsableControl::PerPropertyBrowsingPart::GetPredefinedValue(DISPID dispid, DWORD cookie,
                                                                                       VARIANT* value)
{
    if (value == nullptr)
        return E_POINTER;
    return control.GetPredefinedValue(dispid, cookie, value) ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE BrowsableControl::CategorizePropertiesPart::MapPropertyToCategory(DISPID dispid,
                                                                                           PROPCAT* category)
{
    if (category == nullptr)
        return E_POINTER;
    return control.MapPropertyToCategory(dispid, category);
}

HRESULT STDMETHODCALLTYPE BrowsableControl::CategorizePropertiesPart::GetCategoryName(PROPCAT category, LCID,
                                                                                     BSTR* name)
{
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    if (category != PictureCategory && category != CollectionCategory)
        return E_NOTIMPL;
    char text[261] = "";
    if (LoadStringA(control.GetResourceInstance(), static_cast<UINT>(category), text, sizeof(text)) <= 0)
        return E_NOTIMPL;
    *name = AnsiToWideString(text, WideStringKind::Bstr);
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}
