// For tests of the program's windows before the real controls can be hosted: every `activex` element is
// hosted by the test control (Korvane.TestControl), whatever class it names. Saved bytes are another
// control's and are left out; the element's other properties stay, and the test control takes those it
// has by name (Caption, Value, FontSize, FontBold, MarqueeStyle).
//
//   RegisterTestControlStandIns();   // instead of RegisterActiveXControls(), before the forms load
#pragma once

#include "forms/ActiveXControlFactory.h"

namespace korvane::activex::testing {

class TestControlStandInFactory : public ActiveXControlFactory {
public:
    std::unique_ptr<forms::HostedControl> Create(forms::HostedControlSite& site, const forms::ElementDescription& element,
                                                 HWND parent) override;
};

void RegisterTestControlStandIns();

} // namespace korvane::activex::testing
