// What the tests of the program's windows share: the data folder c:\Korvane with a small item file, the
// forms test driver, the caller flags and Caps Lock reset between tests, and reading the controls of the
// control library back by dispatch identifier.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

#include "files/SequentialFiles.h"
#include "forms/ActiveXControlFactory.h"
#include "files/tests/TempFolder.h"
#include "forms/testing/FormDriver.h"
#include "items/Navigation.h"
#include "movements/tests/MovementFixtures.h"
#include "shell/Shell.h"
#include "StandInControls.h"

namespace korvane::testing {

inline constexpr char kItemFile[] = "c:\\Korvane\\Item.dat";
inline constexpr char kCategoryFile[] = "c:\\Korvane\\Item.Txt";
inline constexpr long kValueDispid = 47;
inline constexpr long kFontSizeDispid = 2;
inline constexpr long kMarqueeStyleDispid = 60;
// A font takes the point size of the nearest whole pixel height, so a size that was set reads back within
// half a pixel of it (10 reads 9.75 on a screen of 96 dots an inch).
inline constexpr double kFontSizeStep = 0.375;

// Key state reaches this thread with the messages it handles.
inline bool CapsLockIsOn() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

inline void SwitchCapsLockOff() {
  for (int round = 0; round < 20 && CapsLockIsOn(); ++round) {
    if (round == 0) {
      INPUT press[2] = {};
      press[0].type = press[1].type = INPUT_KEYBOARD;
      press[0].ki.wVk = press[1].ki.wVk = VK_CAPITAL;
      press[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, press, sizeof(INPUT));
    }
    Sleep(10);
  }
}

// The folder of the test program, where the build puts the help pages and where the pictures go.
inline std::string TestProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.erase(folder.find_last_of("\\/") + 1);
}

inline double NumberOf(const forms::PropertyValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
  if (const long* l = std::get_if<long>(&value)) return static_cast<double>(*l);
  if (const float* f = std::get_if<float>(&value)) return *f;
  if (const double* d = std::get_if<double>(&value)) return *d;
  return -999;  // nothing read
}

// The control library the program's windows are built of, registered from the file beside the tests for
// as long as the test program runs (other test programs unregister it when they end), and the program's
// own container hosting every `activex` element with the registered classes, as the program does.
class RealControls {
 public:
  RealControls() {
    static const bool registered = RegisterLibrary();
    EXPECT_TRUE(registered) << "Plyx20.ocx beside the tests registers";
    activex::RegisterActiveXControls();
  }
  ~RealControls() { forms::RegisterHostedControlFactory("activex", nullptr); }
  RealControls(const RealControls&) = delete;
  RealControls& operator=(const RealControls&) = delete;

 private:
  static bool RegisterLibrary() {
    if (FAILED(OleInitialize(nullptr))) return false;
    HMODULE library = LoadLibraryA("Plyx20.ocx");  // kept loaded: the registration names this file
    if (!library) return false;
    using ServerEntry = HRESULT(STDAPICALLTYPE*)();
    auto registerServer =
        reinterpret_cast<ServerEntry>(reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    return registerServer && registerServer() == S_OK;
  }
};

class KorvaneWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (OnStandIns()) standIns_.emplace();
    CreateDirectoryA("c:\\Korvane", nullptr);
    CreateDirectoryA("c:\\Korvane\\Help", nullptr);
    WriteItemFile(ItemFileBytes(SmallItemFile()));
    WriteBytes(kCategoryFile, "12\r\n5\r\n");
    ASSERT_TRUE(shell::ChangeFolder("c:\\Korvane"));
    Callers = CallerFlags{};
    SwitchCapsLockOff();
  }
  void TearDown() override {
    forms::Forms::UnloadAll();
    files::CloseAllFiles();
    SwitchCapsLockOff();  // leave the display as it was found
    standIns_.reset();
  }

  // A fixture answers true to have the stand-ins of StandInControls.h in place of the library's controls,
  // for what only a stand-in can be made to do (a control that refuses its Value).
  virtual bool OnStandIns() const { return false; }

  static void WriteItemFile(const std::string& bytes) { WriteBytes(kItemFile, bytes); }
  static std::string ItemFileNow() { return ReadBytes(kItemFile); }

  // A property of a control of the library, read by dispatch identifier.
  double Property(const std::string& form, const std::string& control, long dispid) {
    return NumberOf(ui_.On(form).Get().Hosted(control).Property(dispid));
  }
  // The step marker of Form3 whose caption blinks, or 0 when not exactly one does.
  int BlinkingMarker() {
    int blinking = 0;
    for (int marker = 1; marker <= 4; ++marker) {
      const double style = Property("Form3", "ribTravelVia" + std::to_string(marker), kMarqueeStyleDispid);
      if (style == 3) {
        if (blinking) return 0;
        blinking = marker;
      } else if (style != 0) {
        return 0;
      }
    }
    return blinking;
  }

  RealControls controls_;
  std::optional<StandInControls> standIns_;
  forms::testing::FormDriver ui_;
};

}  // namespace korvane::testing
