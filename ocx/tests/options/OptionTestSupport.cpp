#include "OptionTestSupport.h"

#include "ControlCreators.h"
#include "LibraryLock.h"
#include "Module.h"
#include "ObjectDescriptor.h"
#include "StreamBytes.h"

#include <olectl.h>

namespace {

ControlDescriptor Row(const CLSID& clsid, const char* name, CreateObjectFunction create, const IID& dispatch,
                      const IID& events, const char* windowClass)
{
    ControlDescriptor row{};
    row.clsid = &clsid;
    row.objectName = name;
    row.create = create;
    row.majorVersion = 2;
    row.minorVersion = 0;
    row.dispatchIid = &dispatch;
    row.eventsIid = &events;
    row.helpFile = "Plyx20.HLP";
    row.miscStatus = 0x20191;
    row.opaque = 1;
    row.windowlessAllowed = 1;
    row.windowClassName = windowClass;
    return row;
}

// The rows before the two controls' stand for the library's frame and panel, which these tests do
// not make.
ControlDescriptor FrameRow = Row(CLSID_QvFrame, "QvFrame", nullptr, IID_IQvFrame, DIID_DQvFrameEvents, "QvFrameWndClass");
ControlDescriptor PanelRow = Row(CLSID_QvPanel, "QvPanel", nullptr, IID_IQvPanel, DIID_DQvPanelEvents, "QvPanelWndClass");
ControlDescriptor OptionRow =
    Row(CLSID_QvOption, "QvOption", CreateQvOption, IID_IQvOption, DIID_DQvOptionEvents, "QvOptionWndClass");
ControlDescriptor CheckRow =
    Row(CLSID_QvCheck, "QvCheck", CreateQvCheck, IID_IQvCheck, DIID_DQvCheckEvents, "QvCheckWndClass");

class LibraryLockEnvironment : public ::testing::Environment {
public:
    void SetUp() override { LibraryLock::Initialize(); }
    void TearDown() override { LibraryLock::Delete(); }
};
const ::testing::Environment* const g_lockEnvironment =
    ::testing::AddGlobalTestEnvironment(new LibraryLockEnvironment);

} // namespace

ObjectDescriptorRow ObjectDescriptorTable::rows[] = {
    {ObjectKindControl, &FrameRow},  {ObjectKindControl, &PanelRow}, {ObjectKindControl, &OptionRow},
    {ObjectKindControl, &CheckRow},  {ObjectKindEndOfTable, nullptr},
};
const GUID* const ObjectDescriptorTable::typeLibraryId = &LIBID_Plyx;
const LCID ObjectDescriptorTable::typeLibraryLcid = 0x0400;
const int ObjectDescriptorTable::dataObjectRow = -1;

template <>
IUnknown* Held<QvCheck>::Create()
{
    return CreateQvCheck(nullptr);
}

template <>
IUnknown* Held<QvOption>::Create()
{
    return CreateQvOption(nullptr);
}

Connection::Connection(IUnknown* control, REFIID point, IUnknown* sink)
{
    IConnectionPointContainer* points = nullptr;
    EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)), S_OK);
    if (points == nullptr)
        return;
    EXPECT_EQ(points->FindConnectionPoint(point, &point_), S_OK);
    points->Release();
    if (point_ != nullptr) {
        EXPECT_EQ(point_->Advise(sink, &cookie_), S_OK);
    }
}

Connection::~Connection()
{
    if (point_ != nullptr) {
        point_->Unadvise(cookie_);
        point_->Release();
    }
}

HRESULT STDMETHODCALLTYPE EditingSink::QueryInterface(REFIID riid, void** object)
{
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IPropertyNotifySink)
        return E_NOINTERFACE;
    *object = static_cast<IPropertyNotifySink*>(this);
    AddRef();
    return S_OK;
}

void OptionControlTest::SetUp()
{
    objectsBefore_ = Module::ObjectCount();
    gdiObjectsBefore_ = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    SetErrorInfo(0, nullptr);
}

void OptionControlTest::TearDown()
{
    EXPECT_EQ(Module::ObjectCount(), objectsBefore_) << "a control outlived its test";
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjectsBefore_) << "GDI objects were left behind";
}

IStream* StreamOfBytes(const Bytes& bytes)
{
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    if (stream == nullptr)
        return nullptr;
    if (!bytes.empty()) {
        EXPECT_EQ(WriteExactly(stream, bytes.data(), static_cast<ULONG>(bytes.size())), S_OK);
    }
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

Bytes BytesOfStream(IStream* stream)
{
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    Bytes bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    if (!bytes.empty()) {
        EXPECT_EQ(ReadExactly(stream, bytes.data(), static_cast<ULONG>(bytes.size())), S_OK);
    }
    return bytes;
}

Bytes SavedBytes(IUnknown* control)
{
    IPersistStreamInit* persist = nullptr;
    EXPECT_EQ(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)), S_OK);
    if (persist == nullptr)
        return {};
    IStream* stream = StreamOfBytes({});
    EXPECT_EQ(persist->Save(stream, TRUE), S_OK);
    Bytes bytes = BytesOfStream(stream);
    stream->Release();
    persist->Release();
    return bytes;
}

HRESULT LoadBytes(IUnknown* control, const Bytes& bytes)
{
    IPersistStreamInit* persist = nullptr;
    HRESULT hr = control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
    if (FAILED(hr))
        return hr;
    IStream* stream = StreamOfBytes(bytes);
    hr = persist->Load(stream);
    stream->Release();
    persist->Release();
    return hr;
}

IPictureDisp* SolidCellsPicture(const std::vector<COLORREF>& colors, int cellSize)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cellSize * static_cast<int>(colors.size()), cellSize);
    HDC canvas = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(canvas, bitmap);
    for (size_t i = 0; i < colors.size(); ++i) {
        HBRUSH brush = CreateSolidBrush(colors[i]);
        const RECT cell = {static_cast<LONG>(i) * cellSize, 0, static_cast<LONG>(i + 1) * cellSize, cellSize};
        FillRect(canvas, &cell, brush);
        DeleteObject(brush);
    }
    SelectObject(canvas, previous);
    DeleteDC(canvas);
    PICTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    IPictureDisp* picture = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture)), S_OK);
    return picture;
}
