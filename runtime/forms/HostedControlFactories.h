// The registered factories of hosted controls, as the form finds them while it loads.
#pragma once

#include <memory>
#include <string>

#include "forms/HostedControl.h"

namespace korvane::forms {

// The factory registered for an element kind, or null.
std::shared_ptr<HostedControlFactory> HostedControlFactoryFor(const std::string& kind);

}  // namespace korvane::forms
