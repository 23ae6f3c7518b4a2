// The window tests whose library controls are hosted through COM by the program's own ActiveX container,
// the registered test control standing in for the control library's classes (outside controls, named
// by their ProgID, are the real ones), and the colour a control shows on the screen.
#pragma once

#include <ole2.h>

#include <gtest/gtest.h>

#include "KorvaneWindowsFixture.h"
#include "TestControlInPlace.h"
#include "testing/HostWindow.h"

namespace korvane::testing {

class KorvaneWindowsHostedThroughComTest : public KorvaneWindowsTest {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  static void TearDownTestSuite() { OleUninitialize(); }

  HostThroughComWithTheTestControl com_;
};

// The colour at the centre of a control's window, as the screen shows it once painting is done.
inline COLORREF ColourAtCentre(HWND control) {
  activex::testing::PumpMessages();
  RECT client{};
  GetClientRect(control, &client);
  return activex::testing::CaptureClientArea(control).At(client.right / 2, client.bottom / 2);
}

}  // namespace korvane::testing
