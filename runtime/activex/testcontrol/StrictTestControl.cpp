#include "StrictTestControl.h"

namespace korvane::testcontrol {

kit::ControlObject* StrictTestControl::Create(const kit::ControlClass& controlClass)
{
    return new StrictTestControl(controlClass);
}

STDMETHODIMP StrictTestControl::InitNew()
{
    if (initialised_)
        return E_UNEXPECTED;
    initialised_ = true;
    return TestControl::InitNew();
}

STDMETHODIMP StrictTestControl::Load(IStream* stream)
{
    if (initialised_)
        return E_UNEXPECTED;
    initialised_ = true;
    return TestControl::Load(stream);
}

STDMETHODIMP StrictTestControl::Load(IPropertyBag* bag, IErrorLog* log)
{
    if (initialised_)
        return E_UNEXPECTED;
    initialised_ = true;
    return TestControl::Load(bag, log);
}

} // namespace korvane::testcontrol
