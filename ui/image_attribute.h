#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/attribute_values.h"

namespace DuiLib {

// An image attribute: either a bare entry name ("scan_n.png", the whole picture stretched
// over the whole control) or quoted keys in any order:
//   file='btn_close.png' source='0,24,30,48' dest='10,2,26,18' corner='14,14,14,14'
struct ImageAttribute {
  std::string file;
  std::optional<RectValue> source;  // sub-rectangle of the picture (sprite sheets)
  std::optional<RectValue> dest;    // where to draw, relative to the control; else all of it
  std::optional<RectValue> corner;  // nine-grid insets that keep their size
};

// nullopt for an empty text, a string without a file, a key without a quoted value or a
// rectangle that is not four integers. Keys it does not know are skipped.
std::optional<ImageAttribute> ParseImageAttribute(std::string_view text);

}  // namespace DuiLib
