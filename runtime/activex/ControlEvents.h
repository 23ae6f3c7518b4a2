// An event of a hosted control as the form's handlers see it: which control, which event, and its
// arguments in the order the event declares them. A by-reference argument can be changed by the handler;
// the change is written through to the control.
#pragma once

#include "com/Variant.h"

#include <functional>
#include <optional>
#include <string>

namespace korvane::activex {

class ControlSite;

class EventArguments {
public:
    EventArguments(VARIANTARG* reversed, UINT count) : reversed_(reversed), count_(count) {}

    size_t Count() const { return count_; }
    bool IsByReference(size_t index) const;
    // The argument's value (a by-reference argument read through its reference).
    com::Variant Get(size_t index) const;
    // Writes a by-reference argument, converted to its declared type; E_INVALIDARG for a by-value one.
    HRESULT Set(size_t index, const com::Variant& value);

private:
    VARIANTARG& At(size_t index) const { return reversed_[count_ - 1 - index]; }
    VARIANTARG* reversed_;
    UINT count_;
};

struct ControlEvent {
    ControlSite& control;
    const std::string& controlName;
    std::optional<int> index;    // the control's index in its control array
    const std::string& eventName;  // as the control's type information names it ("Click")
    DISPID dispid;
    EventArguments& arguments;
};

using EventHandler = std::function<void(const ControlEvent&)>;

} // namespace korvane::activex
