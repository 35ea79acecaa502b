#include "ui/control_geometry.h"

#include "ui/attribute_values.h"

namespace DuiLib {

namespace {

AttributeResult ApplyPos(ControlGeometry* geometry, std::string_view value) {
  const auto numbers = ParseIntegerList(value);
  if (!numbers || (numbers->size() != 2 && numbers->size() != 4)) {
    return AttributeResult::kBadValue;
  }
  const int left = (*numbers)[0];
  const int top = (*numbers)[1];
  if (numbers->size() == 4) {
    const long long width = static_cast<long long>((*numbers)[2]) - left;
    const long long height = static_cast<long long>((*numbers)[3]) - top;
    if (width < 0 || height < 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
      return AttributeResult::kBadValue;
    }
    geometry->fixedWidth = static_cast<int>(width);
    geometry->fixedHeight = static_cast<int>(height);
  }
  geometry->x = left;
  geometry->y = top;
  return AttributeResult::kApplied;
}

AttributeResult ApplyLength(int* length, std::string_view value) {
  const auto number = ParseInteger(value);
  if (!number || *number < 0) return AttributeResult::kBadValue;
  *length = *number;
  return AttributeResult::kApplied;
}

}  // namespace

AttributeResult ApplyGeometryAttribute(ControlGeometry* geometry, std::string_view name,
                                       std::string_view value) {
  if (name == "pos") return ApplyPos(geometry, value);
  if (name == "width") return ApplyLength(&geometry->fixedWidth, value);
  if (name == "height") return ApplyLength(&geometry->fixedHeight, value);
  if (name == "float") {
    const auto floating = ParseBoolean(value);
    if (!floating) return AttributeResult::kBadValue;
    geometry->floating = *floating;
    return AttributeResult::kApplied;
  }
  return AttributeResult::kNotMine;
}

}  // namespace DuiLib
