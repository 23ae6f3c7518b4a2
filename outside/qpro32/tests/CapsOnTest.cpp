// CapsOn of the built QPRO32.DLL, and the loader the program calls it through.
#include "CapsOnLoader.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Key state reaches a thread's view with the messages it retrieves.
void PumpInput()
{
    for (int round = 0; round < 20; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

bool CapsLockIsOn()
{
    PumpInput();
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

void PressCapsLock()
{
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_CAPITAL;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
}

class CapsLockTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (CapsLockIsOn())
            PressCapsLock();
        ASSERT_FALSE(CapsLockIsOn());
    }
    void TearDown() override
    {
        if (CapsLockIsOn())
            PressCapsLock();   // leave the display as it was found
    }
};

using CapsOnFunction = LONG(WINAPI*)();

struct LibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

TEST_F(CapsLockTest, CapsOnSwitchesCapsLockOnAndLeavesItOn)
{
    Library library(LoadLibraryA("QPRO32.DLL"));
    ASSERT_TRUE(library) << GetLastError();
    auto capsOn = reinterpret_cast<CapsOnFunction>(reinterpret_cast<void*>(GetProcAddress(library.get(), "CapsOn")));
    ASSERT_NE(capsOn, nullptr) << "CapsOn is exported by its plain name";

    EXPECT_EQ(capsOn(), 1);
    EXPECT_TRUE(CapsLockIsOn());
    // A second call must not press the key again (that would switch Caps Lock off).
    EXPECT_EQ(capsOn(), 0);
    EXPECT_TRUE(CapsLockIsOn());
}

TEST_F(CapsLockTest, LoaderCallsCapsOnEveryTime)
{
    korvane::CapsOnLoader loader;
    for (int call = 0; call < 2; ++call) {
        korvane::CapsOnLoader::Outcome outcome = loader.Call();
        EXPECT_TRUE(outcome.called);
        EXPECT_EQ(outcome.problem, "");
        EXPECT_TRUE(CapsLockIsOn());
    }
}

struct MissingCase {
    const char* library;
    const char* problemPart;
};

class MissingPieces : public testing::TestWithParam<MissingCase> {};

TEST_P(MissingPieces, AreReportedOnceAndNeverCalled)
{
    korvane::CapsOnLoader loader(GetParam().library);
    korvane::CapsOnLoader::Outcome first = loader.Call();
    EXPECT_FALSE(first.called);
    EXPECT_NE(first.problem.find(GetParam().problemPart), std::string::npos) << first.problem;
    for (int call = 0; call < 3; ++call) {
        korvane::CapsOnLoader::Outcome later = loader.Call();
        EXPECT_FALSE(later.called);
        EXPECT_EQ(later.problem, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Loader, MissingPieces,
                         testing::Values(MissingCase{"NOSUCH32.DLL", "NOSUCH32.DLL could not be loaded"},
                                         MissingCase{"kernel32.dll", "kernel32.dll has no function CapsOn"}));

} // namespace
