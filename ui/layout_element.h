#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace DuiLib {

// Names and values are UTF-8, exactly as written in the file (entities decoded).
struct LayoutAttribute {
  std::string name;
  std::string value;
};

using LayoutAttributes = std::vector<LayoutAttribute>;

// One element of a parsed layout file. Attributes stay in file order, duplicates included:
// when a control applies them one by one, the later one wins.
struct LayoutElement {
  std::string name;
  LayoutAttributes attributes;
  std::vector<LayoutElement> children;
  size_t offset = 0;  // where the element starts in the decoded text, for messages
};

}  // namespace DuiLib
