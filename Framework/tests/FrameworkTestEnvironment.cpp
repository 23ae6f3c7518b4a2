// The test program stands in for the library's module: the framework is attached to it once.
#include "Module.h"

#include <gtest/gtest.h>

namespace {
class FrameworkEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(Module::Attach(GetModuleHandleA(nullptr))); }
    void TearDown() override { Module::Detach(); }
};
const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);
} // namespace
