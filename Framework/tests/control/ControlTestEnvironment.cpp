// The test program stands in for the control library: the framework is attached to it, OLE is
// started on the test thread, and the tests' type library (a resource of the program) is registered
// for the run and unregistered at its end.
#include "ControlTestSupport.h"

#include "TestControlLibrary.h"

#include <gtest/gtest.h>

std::vector<std::string> ActivationCalls(const RecordingContainer& container)
{
    std::vector<std::string> calls;
    for (const std::string& call : container.Calls())
        if (call.rfind("Ambient", 0) != 0 && call.rfind("OnFocus", 0) != 0)
            calls.push_back(call);
    return calls;
}

IStream* StreamOf(const std::vector<unsigned char>& bytes)
{
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    if (stream == nullptr)
        return nullptr;
    ULONG written = 0;
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

namespace {
class ControlEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(Module::Attach(GetModuleHandleA(nullptr)));
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        wchar_t path[MAX_PATH] = {};
        ASSERT_TRUE(Module::WideFilePath(path, MAX_PATH));
        ITypeLib* library = nullptr;
        ASSERT_EQ(LoadTypeLibEx(path, REGKIND_REGISTER, &library), S_OK);
        library->Release();
    }
    void TearDown() override
    {
        UnRegisterTypeLib(LIBID_TestControlLibrary, 2, 0, 0, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
        OleUninitialize();
        Module::Detach();
    }
};
const ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new ControlEnvironment);
} // namespace
