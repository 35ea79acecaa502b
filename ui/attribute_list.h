#pragma once

#include <optional>
#include <string_view>

#include "ui/layout_element.h"

namespace DuiLib {

// Parses an attribute list such as the value of a Default directive:
//   width="8" showbutton1="false" bkimage="file='vscrollbar.png' corner='0,4,0,4'"
// Pairs are separated by white space; values are in double quotes (single quotes inside
// them are ordinary characters) and taken as written, since the layout file's entities were
// decoded already. nullopt when a name has no quoted value.
std::optional<LayoutAttributes> ParseAttributeList(std::string_view text);

}  // namespace DuiLib
