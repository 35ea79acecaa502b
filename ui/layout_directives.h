#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/layout_element.h"

namespace DuiLib {

// Elements that configure the window rather than make a control. Their names, and the
// names of their attributes, are compared without regard to letter case.
enum class LayoutDirective { kNone, kWindow, kInclude, kFont, kDefault };

LayoutDirective DirectiveOf(std::string_view elementName);

// The value of a directive's attribute, name compared without case; when the name occurs
// more than once the last one counts, as it would for a control.
const std::string* FindDirectiveAttribute(const LayoutElement& element, std::string_view name);

// Include source="Font.xml": the layout file to build in place of the element.
std::optional<std::string> ParseIncludeSource(const LayoutElement& element);

// Default name="VScrollBar" value="..." shared="true": attributes applied to every control
// of that kind before its own. shared makes them hold in every window from then on.
struct DefaultDirective {
  std::string controlName;
  LayoutAttributes attributes;
  bool shared = false;
};

std::optional<DefaultDirective> ParseDefaultDirective(const LayoutElement& element);

}  // namespace DuiLib
