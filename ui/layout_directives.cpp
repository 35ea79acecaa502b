#include "ui/layout_directives.h"

#include "ui/ascii_case.h"
#include "ui/attribute_list.h"
#include "ui/attribute_values.h"

namespace DuiLib {

LayoutDirective DirectiveOf(std::string_view elementName) {
  if (EqualsIgnoringAsciiCase(elementName, "Window")) return LayoutDirective::kWindow;
  if (EqualsIgnoringAsciiCase(elementName, "Include")) return LayoutDirective::kInclude;
  if (EqualsIgnoringAsciiCase(elementName, "Font")) return LayoutDirective::kFont;
  if (EqualsIgnoringAsciiCase(elementName, "Default")) return LayoutDirective::kDefault;
  return LayoutDirective::kNone;
}

const std::string* FindDirectiveAttribute(const LayoutElement& element, std::string_view name) {
  const std::string* found = nullptr;
  for (const LayoutAttribute& attribute : element.attributes) {
    if (EqualsIgnoringAsciiCase(attribute.name, name)) found = &attribute.value;
  }
  return found;
}

std::optional<std::string> ParseIncludeSource(const LayoutElement& element) {
  const std::string* source = FindDirectiveAttribute(element, "source");
  if (source == nullptr || source->empty()) return std::nullopt;
  return *source;
}

std::optional<DefaultDirective> ParseDefaultDirective(const LayoutElement& element) {
  const std::string* name = FindDirectiveAttribute(element, "name");
  const std::string* value = FindDirectiveAttribute(element, "value");
  if (name == nullptr || name->empty() || value == nullptr) return std::nullopt;
  std::optional<LayoutAttributes> attributes = ParseAttributeList(*value);
  if (!attributes) return std::nullopt;
  DefaultDirective directive;
  directive.controlName = *name;
  directive.attributes = std::move(*attributes);
  if (const std::string* shared = FindDirectiveAttribute(element, "shared")) {
    directive.shared = ParseBoolean(*shared).value_or(false);
  }
  return directive;
}

}  // namespace DuiLib
