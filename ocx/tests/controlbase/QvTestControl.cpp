#include "QvTestControl.h"

#include "Module.h"
#include "MouseTracking.h"
#include "StreamBytes.h"

namespace {

// The library's lock and shared tracking data, which the library makes when it is attached.
class LibraryLockEnvironment : public ::testing::Environment {
public:
    void SetUp() override { plyx::InitSharedData(); }
    void TearDown() override { plyx::FreeSharedData(); }
};
const ::testing::Environment* const g_lockEnvironment =
    ::testing::AddGlobalTestEnvironment(new LibraryLockEnvironment);

} // namespace

NotifyConnection::NotifyConnection(QvTestControl* control, IPropertyNotifySink* sink)
{
    IConnectionPointContainer* points = nullptr;
    EXPECT_EQ(control->PrivateUnknown()->QueryInterface(IID_IConnectionPointContainer,
                                                        reinterpret_cast<void**>(&points)),
              S_OK);
    if (points == nullptr)
        return;
    EXPECT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, &point_), S_OK);
    points->Release();
    if (point_ != nullptr) {
        EXPECT_EQ(point_->Advise(sink, &cookie_), S_OK);
    }
}

NotifyConnection::~NotifyConnection()
{
    if (point_ != nullptr) {
        point_->Unadvise(cookie_);
        point_->Release();
    }
}

void QvControlTest::SetUp()
{
    objectsBefore_ = Module::ObjectCount();
    SetErrorInfo(0, nullptr);
}

void QvControlTest::TearDown()
{
    EXPECT_EQ(Module::ObjectCount(), objectsBefore_) << "a control outlived its test";
}

IStream* StreamOfBytes(const std::vector<unsigned char>& bytes)
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

std::vector<unsigned char> BytesOfStream(IStream* stream)
{
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<unsigned char> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    if (!bytes.empty()) {
        EXPECT_EQ(ReadExactly(stream, bytes.data(), static_cast<ULONG>(bytes.size())), S_OK);
    }
    return bytes;
}

RaisedError TakeRaisedError()
{
    RaisedError raised = {};
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr)
        return raised;
    BSTR text = nullptr;
    if (SUCCEEDED(info->GetDescription(&text)) && text != nullptr)
        raised.description = text;
    SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(info->GetSource(&text)) && text != nullptr)
        raised.source = text;
    SysFreeString(text);
    info->GetGUID(&raised.guid);
    info->Release();
    return raised;
}

std::wstring RealizedFontName(const wchar_t* name)
{
    FONTDESC description = {sizeof(FONTDESC), const_cast<LPOLESTR>(name), {{80000, 0}}, FW_NORMAL, DEFAULT_CHARSET,
                            FALSE, FALSE, FALSE};
    IFont* font = nullptr;
    EXPECT_EQ(OleCreateFontIndirect(&description, IID_IFont, reinterpret_cast<void**>(&font)), S_OK);
    if (font == nullptr)
        return L"";
    BSTR realized = nullptr;
    EXPECT_EQ(font->get_Name(&realized), S_OK);
    std::wstring result(realized != nullptr ? realized : L"");
    SysFreeString(realized);
    font->Release();
    return result;
}
