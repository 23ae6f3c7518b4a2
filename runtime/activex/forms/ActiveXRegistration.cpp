#include "ActiveXControlFactory.h"

namespace korvane::activex {

void RegisterActiveXControls()
{
    forms::RegisterHostedControlFactory("activex", std::make_shared<ActiveXControlFactory>());
}

} // namespace korvane::activex
