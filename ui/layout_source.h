#pragma once

#include <string>
#include <string_view>

#include "ui/skin_read_status.h"

namespace DuiLib {

// Where the layout builder gets layout files from, by name: the skin package in the
// program, a map of texts in tests.
class LayoutSource {
 public:
  virtual ~LayoutSource() = default;
  virtual SkinReadStatus ReadLayoutFile(std::string_view name, std::string* text) const = 0;
};

}  // namespace DuiLib
