// What an event carries to its handler, and the values of hosted controls' properties.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvane::forms {

// Mouse buttons and shift keys as the handlers see them (any combination is or-ed together).
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftKey : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// MouseDown, MouseUp and MouseMove: the button(s), the shift keys held, and the position in pixels of the
// control's client area.
struct MouseArgs {
  int button = 0;
  int shift = 0;
  float x = 0;
  float y = 0;
};

// A value of a hosted control's property or event argument.
using PropertyValue = std::variant<std::monostate, bool, long, float, double, std::string>;

// Everything an event may carry. Handlers that need only part of it take that part (see EventTable);
// handlers of control arrays take the whole to learn the element's index.
struct EventArgs {
  std::optional<int> index;           // the element of a control array that raised the event
  MouseArgs mouse;                    // mouse events
  int keyAscii = 0;                   // KeyPress: the character; a handler may change it (0 drops it)
  std::vector<PropertyValue> values;  // a hosted control's own event arguments, in order
};

}  // namespace korvane::forms
