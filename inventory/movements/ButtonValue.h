// A button's Value as read from the control library, as the number the windows compare: True reads as -1,
// False as 0; a refused read (an empty value) reads as none, which no window takes for a state.
#pragma once

#include <optional>
#include <variant>

#include "forms/Events.h"

namespace korvane {

inline std::optional<long> ButtonValueOf(const forms::PropertyValue& value) {
  if (const bool* b = std::get_if<bool>(&value)) return *b ? -1 : 0;
  if (const long* l = std::get_if<long>(&value)) return *l;
  if (const float* f = std::get_if<float>(&value)) return static_cast<long>(*f);
  if (const double* d = std::get_if<double>(&value)) return static_cast<long>(*d);
  return std::nullopt;
}

}  // namespace korvane
