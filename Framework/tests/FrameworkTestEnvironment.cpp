// The test program stands in for the library's module: the framework is attached to it once.
#include "Module.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace {
class FrameworkEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(Module::Attach(GetModuleHandleA(nullptr)));
        // Error information and type libraries belong to a COM apartment, as in any host.
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    }
    void TearDown() override
    {
        CoUninitialize();
        Module::Detach();
    }
};
const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);
} // namespace
