// The forms' property and event-argument values, and the automation values of the controls.
#pragma once

#include "com/Variant.h"
#include "forms/Events.h"

namespace korvane::activex {

com::Variant VariantOf(const forms::PropertyValue& value);
// Numbers of every width become long, float or double; texts strings; anything else an empty value.
forms::PropertyValue PropertyValueOf(const com::Variant& value);

} // namespace korvane::activex
