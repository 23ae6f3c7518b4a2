// The forms' factory of `activex` elements: each element's control is hosted by the control container of
// its form (one per form window, shared by the form's controls so that they can enumerate each other),
// and its events are raised to the form's handlers by their names (`ZeroTrans_MouseDown`).
//
// Event arguments reach a handler as values in declared order; mouse events (Button, Shift, X, Y) also
// fill its mouse arguments, and KeyPress its character. A by-reference argument that the handler
// changes (a value, or KeyPress's character) is written back to the control.
#pragma once

#include "forms/HostedControl.h"

#include <map>
#include <memory>

namespace korvane::activex {

class FormControls;

class ActiveXControlFactory : public forms::HostedControlFactory {
public:
    std::unique_ptr<forms::HostedControl> Create(forms::HostedControlSite& site, const forms::ElementDescription& element,
                                                 HWND parent) override;

private:
    std::map<HWND, std::weak_ptr<FormControls>> forms_;
};

// Registers the factory for the element kind `activex`; the program calls it once before loading forms.
void RegisterActiveXControls();

} // namespace korvane::activex
