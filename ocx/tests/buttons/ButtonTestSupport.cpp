#include "ButtonTestSupport.h"

#include <string>

namespace buttontests {

namespace {

HMODULE g_library = nullptr;

using ServerEntry = HRESULT(STDAPICALLTYPE*)();

ServerEntry Entry(const char* name)
{
    if (g_library == nullptr)
        return nullptr;
    return reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(GetProcAddress(g_library, name)));
}

class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        g_library = LoadLibraryA("Plyx20.ocx");
        ASSERT_NE(g_library, nullptr) << "Plyx20.ocx beside the tests";
        ServerEntry registerServer = Entry("DllRegisterServer");
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        if (ServerEntry unregisterServer = Entry("DllUnregisterServer"))
            unregisterServer();
        OleUninitialize();
    }
};

DISPID IdOf(IDispatch* object, const wchar_t* name)
{
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid)))
        return DISPID_UNKNOWN;
    return dispid;
}

long NumberOf(const VARIANT& value)
{
    VARIANT copy;
    VariantInit(&copy);
    const VARIANT* source = &value;
    VARIANT dereferenced;
    VariantInit(&dereferenced);
    if (value.vt == (VT_I2 | VT_BYREF)) {
        dereferenced.vt = VT_I2;
        dereferenced.iVal = *value.piVal;
        source = &dereferenced;
    } else if (value.vt == (VT_BOOL | VT_BYREF)) {
        dereferenced.vt = VT_BOOL;
        dereferenced.boolVal = *value.pboolVal;
        source = &dereferenced;
    } else if (value.vt == (VT_I4 | VT_BYREF)) {
        dereferenced.vt = VT_I4;
        dereferenced.lVal = *value.plVal;
        source = &dereferenced;
    }
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(source), 0, VT_I4)))
        return -99999;
    return copy.lVal;
}

} // namespace

void RegisterLibraryForTests()
{
    static const ::testing::Environment* const environment =
        ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);
    (void)environment;
}

HMODULE LibraryModule()
{
    return g_library;
}

HRESULT LibraryCanUnload()
{
    ServerEntry canUnload = Entry("DllCanUnloadNow");
    return canUnload != nullptr ? canUnload() : E_FAIL;
}

Ref<IDispatch> CreateByProgId(const wchar_t* progId)
{
    Ref<IDispatch> object;
    CLSID clsid = {};
    EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << "ProgID registered";
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.PutVoid()), S_OK);
    return object;
}

HRESULT PutByName(IDispatch* object, const wchar_t* name, const VARIANT& value, WORD kind)
{
    const DISPID dispid = IdOf(object, name);
    if (dispid == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    VARIANT argument = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, &named, 1, 1};
    return object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, nullptr, nullptr, nullptr);
}

HRESULT GetByName(IDispatch* object, const wchar_t* name, VARIANT* value)
{
    VariantInit(value);
    const DISPID dispid = IdOf(object, name);
    if (dispid == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    return object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params, value, nullptr,
                          nullptr);
}

HRESULT CallByName(IDispatch* object, const wchar_t* name)
{
    const DISPID dispid = IdOf(object, name);
    if (dispid == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    return object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                          nullptr);
}

HRESULT PutShort(IDispatch* object, const wchar_t* name, short value)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_I2;
    argument.iVal = value;
    return PutByName(object, name, argument);
}

HRESULT PutBool(IDispatch* object, const wchar_t* name, bool value)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BOOL;
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return PutByName(object, name, argument);
}

HRESULT PutText(IDispatch* object, const wchar_t* name, const wchar_t* value)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = SysAllocString(value);
    const HRESULT hr = PutByName(object, name, argument);
    VariantClear(&argument);
    return hr;
}

HRESULT PutPicture(IDispatch* object, const wchar_t* name, IPictureDisp* picture)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_DISPATCH;
    argument.pdispVal = picture;
    return PutByName(object, name, argument, DISPATCH_PROPERTYPUTREF);
}

long GetLong(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    if (FAILED(GetByName(object, name, &value)))
        return -99999;
    const long number = NumberOf(value);
    VariantClear(&value);
    return number;
}

std::wstring TakeErrorDescription()
{
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr)
        return L"";
    BSTR text = nullptr;
    std::wstring description;
    if (SUCCEEDED(info->GetDescription(&text)) && text != nullptr)
        description = text;
    SysFreeString(text);
    info->Release();
    return description;
}

HRESULT InitNew(IDispatch* object)
{
    Ref<IPersistStreamInit> persist;
    HRESULT hr = object->QueryInterface(IID_IPersistStreamInit, persist.PutVoid());
    return SUCCEEDED(hr) ? persist->InitNew() : hr;
}

std::vector<unsigned char> SaveToStream(IDispatch* object)
{
    std::vector<unsigned char> bytes;
    Ref<IPersistStreamInit> persist;
    Ref<IStream> stream;
    if (FAILED(object->QueryInterface(IID_IPersistStreamInit, persist.PutVoid())) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())))
        return bytes;
    EXPECT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

HRESULT LoadFromStream(IDispatch* object, const std::vector<unsigned char>& bytes)
{
    Ref<IPersistStreamInit> persist;
    Ref<IStream> stream;
    HRESULT hr = object->QueryInterface(IID_IPersistStreamInit, persist.PutVoid());
    if (FAILED(hr))
        return hr;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    if (FAILED(hr))
        return hr;
    ULONG written = 0;
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return persist->Load(stream.Get());
}

Ref<IPictureDisp> MakeBitmapPicture(int width, int height, COLORREF color)
{
    Ref<IPictureDisp> picture;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    const RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.PutVoid())))
        DeleteObject(bitmap);
    return picture;
}

EventRecorder::EventRecorder(IDispatch* control, REFIID eventsIid) : eventsIid_(eventsIid)
{
    Ref<IConnectionPointContainer> points;
    EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer, points.PutVoid()), S_OK);
    if (!points)
        return;
    EXPECT_EQ(points->FindConnectionPoint(eventsIid, point_.Put()), S_OK);
    if (point_) {
        EXPECT_EQ(point_->Advise(this, &cookie_), S_OK);
    }
}

EventRecorder::~EventRecorder()
{
    if (point_)
        point_->Unadvise(cookie_);
}

int EventRecorder::Count(DISPID dispid) const
{
    int count = 0;
    for (const FiredEvent& event : events)
        if (event.dispid == dispid)
            ++count;
    return count;
}

STDMETHODIMP EventRecorder::QueryInterface(REFIID riid, void** object)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, eventsIid_)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP EventRecorder::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

STDMETHODIMP EventRecorder::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*)
{
    FiredEvent event = {dispid, {}};
    if (params != nullptr)
        for (UINT i = params->cArgs; i > 0; --i)
            event.arguments.push_back(NumberOf(params->rgvarg[i - 1]));
    events.push_back(event);
    return S_OK;
}

} // namespace buttontests
