#pragma once

#include <optional>
#include <string>

#include "ui/layout_element.h"

namespace DuiLib {

// Font id="3" name="微软雅黑" size="20" bold="true": an entry of the window's font table.
// size is the character height in pixels.
struct FontDefinition {
  int id = 0;
  std::string name;
  int size = 12;
  bool bold = false;
  bool underline = false;
  bool italic = false;
  bool isDefault = false;  // the font of controls that name none
};

// nullopt when id is missing or not a non-negative integer: there would be no way to
// refer to the font. Bad values of the other attributes keep their defaults.
std::optional<FontDefinition> ParseFontDirective(const LayoutElement& element);

}  // namespace DuiLib
