#pragma once

#include <string_view>

namespace DuiLib {

// The part of a control's state that float, pos, width and height set. A fixed size of 0
// means "not fixed": the container shares its remaining space among such children.
struct ControlGeometry {
  bool floating = false;
  int x = 0;
  int y = 0;
  int fixedWidth = 0;
  int fixedHeight = 0;
};

enum class AttributeResult { kNotMine, kApplied, kBadValue };

// Applies one of "float", "pos", "width", "height" (names compared exactly: "Width" is
// some other attribute). Two numbers in pos move the control and keep its size, so
// pos="0,20" followed by width and height, and a later pos="90,20", both keep the size;
// four numbers l,t,r,b also set the size to r-l by b-t. A bad value changes nothing.
AttributeResult ApplyGeometryAttribute(ControlGeometry* geometry, std::string_view name,
                                       std::string_view value);

}  // namespace DuiLib
