// What the tests of the program's windows share: the data folder c:\Korvane with a small item file, the
// forms test driver, the caller flags and Caps Lock reset between tests, and reading the controls of the
// control library back by dispatch identifier.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "files/SequentialFiles.h"
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

class KorvaneWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
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
  }

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

  StandInControls standIns_;
  forms::testing::FormDriver ui_;
};

}  // namespace korvane::testing
