#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/layout_element.h"

namespace DuiLib {

struct LayoutParseError {
  std::string message;
  size_t offset = 0;  // in the decoded text
};

// Deeper nesting than this is refused rather than risking the stack; the program's
// layouts nest about ten levels.
constexpr size_t kMaxLayoutDepth = 128;

// Parses the bytes of a layout file (byte-order mark handled) into its root element.
// Returns false and fills `error` when the file is not well formed: unclosed or mismatched
// elements, an attribute without a value, more than one root element, no element at all.
bool ParseLayout(std::string_view bytes, LayoutElement* root, LayoutParseError* error);

}  // namespace DuiLib
