// Stand-ins for the control library's buttons in the window tests: a hosted control for every `activex`
// element that behaves as the program relies on the real ones to behave.
//   - A check button or ribbon (by its class id) toggles Value on a click, then raises Click; setting Value
//     to a different value raises Click inside the set, as the real ones do, so handlers run nested.
//   - A command button raises Click; a frame raises nothing and lets the pointer through to the controls
//     it holds, which lie over it.
//   - A press of any mouse button raises MouseDown first (a check button toggles only on the release).
//   - The indicator of the reset windows (ProgID BtnLib.vaBtn) keeps Lit (50) and its colour (8) and fills
//     itself with the colour while lit.
//   - The pointer moving onto a button raises MouseExit on the button it left and MouseEnter on it.
//   - Value (47), FontSize (2), FontBold (3), MarqueeStyle (60) and Caption (-518) are kept, starting from
//     the persisted state of the element.
//   - A test can make the Value reads of the elements of one name fail, as a control that refuses them.
#pragma once

#include <string>

namespace korvane::testing {

// Registers the stand-ins for the element kind `activex` for as long as the object lives.
class StandInControls {
 public:
  StandInControls();
  ~StandInControls();
  StandInControls(const StandInControls&) = delete;
  StandInControls& operator=(const StandInControls&) = delete;

  // From now on, until the stand-ins end, reading Value of an element of this name fails (E_FAIL).
  void RefuseValueReads(const std::string& elementName);
};

}  // namespace korvane::testing
