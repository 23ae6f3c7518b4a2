// The test control as a control that may be initialised once (Korvane.StrictTestControl): once its state
// was loaded, whether or not the load succeeded, or it started with its defaults, it refuses to be loaded
// or started again, answering E_UNEXPECTED as controls that count themselves initialised do.
#pragma once

#include "TestControl.h"

namespace korvane::testcontrol {

class StrictTestControl final : public TestControl {
public:
    static kit::ControlObject* Create(const kit::ControlClass& controlClass);

    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;

private:
    using TestControl::TestControl;

    bool initialised_ = false;
};

} // namespace korvane::testcontrol
