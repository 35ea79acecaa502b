#pragma once

#include <optional>

#include "ui/attribute_values.h"
#include "ui/layout_element.h"

namespace DuiLib {

// What the root Window element says about the window. Absent or malformed values stay
// unset and leave the window as it is; a page's bare Window root sets nothing.
struct WindowSettings {
  std::optional<SizeValue> size;         // initial client size
  std::optional<RectValue> caption;      // drag area; 0 on the right or bottom reaches the edge
  std::optional<SizeValue> roundCorner;  // "0,0" for square corners
};

WindowSettings ParseWindowSettings(const LayoutElement& window);

}  // namespace DuiLib
