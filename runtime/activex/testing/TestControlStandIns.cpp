#include "TestControlStandIns.h"

#include <algorithm>

namespace korvane::activex::testing {

std::unique_ptr<forms::HostedControl> TestControlStandInFactory::Create(forms::HostedControlSite& site,
                                                                        const forms::ElementDescription& element,
                                                                        HWND parent)
{
    forms::ElementDescription standIn = element;
    auto& properties = standIn.properties;
    properties.erase(std::remove_if(properties.begin(), properties.end(),
                                    [](const forms::DescriptionProperty& p) {
                                        return p.name == "clsid" || p.name == "progid" || p.name == "stream";
                                    }),
                     properties.end());
    forms::DescriptionValue testControl;
    testControl.kind = forms::DescriptionValue::Kind::Text;
    testControl.text = "Korvane.TestControl";
    properties.push_back(forms::DescriptionProperty{"progid", {testControl}, element.line});
    return ActiveXControlFactory::Create(site, standIn, parent);
}

void RegisterTestControlStandIns()
{
    forms::RegisterHostedControlFactory("activex", std::make_shared<TestControlStandInFactory>());
}

} // namespace korvane::activex::testing
