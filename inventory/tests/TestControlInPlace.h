// Hosting through COM in the window tests: every `activex` element of a form is hosted by the program's
// own ActiveX container, with the registered test control created in place of the control library's
// class that the element names. For as long as the object lives.
#pragma once

#include <list>
#include <memory>

#include "forms/ActiveXControlFactory.h"
#include "forms/HostedControl.h"

namespace korvane::testing {

inline constexpr char kTestControlClsid[] = "{9B9693D4-77B7-4B64-AB9D-8B36B857ABCF}";

class TestControlInPlace : public forms::HostedControlFactory {
 public:
  std::unique_ptr<forms::HostedControl> Create(forms::HostedControlSite& site, const forms::ElementDescription& element,
                                               HWND parent) override {
    // The container may keep the element it was handed: the copies live as long as this factory.
    forms::ElementDescription& copy = elements_.emplace_back(element);
    for (auto& property : copy.properties) {
      if (property.name == "clsid" && property.values.size() == 1) property.values[0].text = kTestControlClsid;
    }
    return containers_.Create(site, copy, parent);
  }

 private:
  activex::ActiveXControlFactory containers_;
  std::list<forms::ElementDescription> elements_;
};

// Registers the factory above for the kind `activex`, and takes it away again.
class HostThroughComWithTheTestControl {
 public:
  HostThroughComWithTheTestControl() : factory_(std::make_shared<TestControlInPlace>()) {
    forms::RegisterHostedControlFactory("activex", factory_);
  }
  ~HostThroughComWithTheTestControl() { forms::RegisterHostedControlFactory("activex", nullptr); }
  HostThroughComWithTheTestControl(const HostThroughComWithTheTestControl&) = delete;
  HostThroughComWithTheTestControl& operator=(const HostThroughComWithTheTestControl&) = delete;

 private:
  std::shared_ptr<TestControlInPlace> factory_;
};

}  // namespace korvane::testing
