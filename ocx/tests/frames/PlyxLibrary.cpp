#include "PlyxLibrary.h"

#include "testing/HostWindow.h"

namespace frames_test {

namespace {

typedef HRESULT(STDAPICALLTYPE* ServerFunction)();

HMODULE g_library = nullptr;
// The description of the error the last put raised through its exception information.
std::wstring g_lastPutError;

std::string BesideThisProgram(const char* fileName)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

ServerFunction Export(const char* name)
{
    return reinterpret_cast<ServerFunction>(reinterpret_cast<void (*)()>(GetProcAddress(g_library, name)));
}

// The library registered for the whole run, as a host's setup would register it, and removed again.
class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        g_library = LoadLibraryA(BesideThisProgram("Plyx20.ocx").c_str());
        ASSERT_NE(g_library, nullptr) << GetLastError();
        ServerFunction registerServer = Export("DllRegisterServer");
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
    }
    void TearDown() override
    {
        if (g_library != nullptr) {
            if (ServerFunction unregister = Export("DllUnregisterServer"))
                unregister();
        }
        CoFreeUnusedLibraries();
        OleUninitialize();
    }
};
const ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);

DISPPARAMS PutParameters(VARIANT* value, DISPID* named)
{
    *named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {value, named, 1, 1};
    return parameters;
}

} // namespace

HMODULE Library()
{
    return g_library;
}

HRESULT LibraryCanUnload()
{
    ServerFunction canUnload = Export("DllCanUnloadNow");
    return canUnload != nullptr ? canUnload() : E_FAIL;
}

DWORD GdiObjectCount()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

Held<IDispatch> CreateByProgId(const wchar_t* progId)
{
    Held<IDispatch> control;
    CLSID clsid = {};
    EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << "no class registered for the ProgID";
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.OutVoid()), S_OK);
    return control;
}

DISPID DispidOf(IDispatch* control, const wchar_t* name)
{
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid), S_OK) << "no member "
                                                                                             << name;
    return dispid;
}

HRESULT Put(IDispatch* control, const wchar_t* name, const VARIANT& value)
{
    const DISPID dispid = DispidOf(control, name);
    VARIANT argument = value;
    DISPID named = 0;
    DISPPARAMS parameters = PutParameters(&argument, &named);
    EXCEPINFO exception = {};
    const HRESULT hr = control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters,
                                       nullptr, &exception, nullptr);
    g_lastPutError = exception.bstrDescription != nullptr ? exception.bstrDescription : L"";
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (hr == DISP_E_EXCEPTION)
        return exception.scode;
    return hr;
}

HRESULT PutLong(IDispatch* control, const wchar_t* name, LONG value)
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = value;
    return Put(control, name, variant);
}

HRESULT PutBool(IDispatch* control, const wchar_t* name, bool value)
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BOOL;
    variant.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Put(control, name, variant);
}

HRESULT PutText(IDispatch* control, const wchar_t* name, const wchar_t* text)
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_BSTR;
    variant.bstrVal = SysAllocString(text);
    const HRESULT hr = Put(control, name, variant);
    VariantClear(&variant);
    return hr;
}

LONG GetLong(IDispatch* control, const wchar_t* name, HRESULT* hr)
{
    const DISPID dispid = DispidOf(control, name);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    HRESULT answer = control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                     &exception, nullptr);
    if (answer == DISP_E_EXCEPTION)
        answer = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (hr != nullptr)
        *hr = answer;
    else
        EXPECT_EQ(answer, S_OK) << "reading " << name;
    LONG value = 0;
    if (SUCCEEDED(answer) && SUCCEEDED(VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    VariantClear(&result);
    return value;
}

std::wstring LastErrorDescription()
{
    if (!g_lastPutError.empty())
        return g_lastPutError;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr)
        return L"";
    BSTR text = nullptr;
    info->GetDescription(&text);
    std::wstring description(text != nullptr ? text : L"");
    SysFreeString(text);
    info->Release();
    return description;
}

std::vector<std::uint8_t> SaveToBytes(IUnknown* control)
{
    std::vector<std::uint8_t> bytes;
    Held<IPersistStreamInit> persist = As<IPersistStreamInit>(control, IID_IPersistStreamInit);
    Held<IStream> stream;
    if (!persist || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())))
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
    bytes.resize(read);
    return bytes;
}

HRESULT LoadFromBytes(IUnknown* control, const std::vector<std::uint8_t>& bytes)
{
    Held<IPersistStreamInit> persist = As<IPersistStreamInit>(control, IID_IPersistStreamInit);
    Held<IStream> stream;
    if (!persist || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())))
        return E_FAIL;
    ULONG written = 0;
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return persist->Load(stream.Get());
}

std::vector<std::uint8_t> NewStateBytes(const wchar_t* progId)
{
    Held<IDispatch> control = CreateByProgId(progId);
    if (!control)
        return {};
    EXPECT_EQ(As<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)->InitNew(), S_OK);
    return SaveToBytes(control.Get());
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    bits_ = static_cast<std::uint32_t*>(bits);
    replaced_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(fill);
    const RECT all = {0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas()
{
    SelectObject(dc_, replaced_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

HRESULT Canvas::Draw(IUnknown* control)
{
    Held<IViewObject> view = As<IViewObject>(control, IID_IViewObject);
    if (!view)
        return E_NOINTERFACE;
    const RECTL bounds = {0, 0, width_, height_};
    const HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc_, &bounds, nullptr, nullptr, 0);
    GdiFlush();
    return hr;
}

HRESULT Canvas::DrawThroughMetafile(IUnknown* control)
{
    Held<IViewObject> view = As<IViewObject>(control, IID_IViewObject);
    if (!view)
        return E_NOINTERFACE;
    HDC screen = GetDC(nullptr);
    // The metafile's frame in 0.01 mm.
    const RECT frame = {0, 0, MulDiv(width_, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                        MulDiv(height_, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
    HDC recorder = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    ReleaseDC(nullptr, screen);
    if (recorder == nullptr)
        return E_FAIL;
    const RECTL bounds = {0, 0, width_, height_};
    const HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, recorder, &bounds, nullptr, nullptr, 0);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    if (metafile == nullptr)
        return E_FAIL;
    const RECT all = {0, 0, width_, height_};
    PlayEnhMetaFile(dc_, metafile, &all);
    DeleteEnhMetaFile(metafile);
    GdiFlush();
    return hr;
}

COLORREF Canvas::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || bits_ == nullptr)
        return CLR_INVALID;
    const std::uint32_t pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::vector<int> Canvas::RunsInRow(int y, COLORREF color) const
{
    std::vector<int> runs;
    int run = 0;
    for (int x = 0; x <= width_; ++x) {
        if (x < width_ && At(x, y) == color) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

std::vector<int> Canvas::RunsInColumn(int x, COLORREF color) const
{
    std::vector<int> runs;
    int run = 0;
    for (int y = 0; y <= height_; ++y) {
        if (y < height_ && At(x, y) == color) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

bool Canvas::WritePng(const std::string& name) const
{
    korvane::activex::testing::Picture picture;
    picture.width = width_;
    picture.height = height_;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const COLORREF color = At(x, y);
            picture.rgb.push_back(GetRValue(color));
            picture.rgb.push_back(GetGValue(color));
            picture.rgb.push_back(GetBValue(color));
        }
    return korvane::activex::testing::WritePng(name, picture);
}

COLORREF SystemColor(int index)
{
    // The 32-bit canvas shows every colour as it is.
    return GetSysColor(index);
}

} // namespace frames_test
