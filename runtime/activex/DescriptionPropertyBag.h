// The persisted state of a control as its form description holds it, by name: every property of the
// control's element that the container does not keep for itself. Names are matched without regard to
// case; words True and False read as booleans, numbers as numbers, texts as strings, each converted to
// the type the control asks for. A control that asks for an object is asking for a picture: the text
// names a bitmap of the program, and the control gets a picture object of it.
#pragma once

#include "com/ComObject.h"
#include "forms/FormDescription.h"

#include <ocidl.h>

namespace korvane::activex {

class DescriptionPropertyBag final : public com::ComObject<IPropertyBag> {
public:
    explicit DescriptionPropertyBag(const forms::ElementDescription& element) : element_(element) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    // The run-time container keeps the state its description gives; it never writes one.
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

    // The element's properties that belong to the container, not to the control.
    static bool IsContainerProperty(std::string_view name);

private:
    ~DescriptionPropertyBag() = default;
    const forms::ElementDescription& element_;
};

} // namespace korvane::activex
