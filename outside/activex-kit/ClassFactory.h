// The class factory of one control class; it counts as a live object of the library while it exists.
#pragma once

#include "ControlClass.h"
#include "Module.h"

#include <unknwn.h>

namespace korvane::kit {

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(const ControlClass& controlClass) : class_(controlClass) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    ~ClassFactory() = default;
    const ControlClass& class_;
    LONG references_ = 1;
    ModuleObject counted_;
};

} // namespace korvane::kit
