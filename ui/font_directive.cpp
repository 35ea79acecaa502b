#include "ui/font_directive.h"

#include "ui/attribute_values.h"
#include "ui/layout_directives.h"

namespace DuiLib {

namespace {

void ReadFlag(const LayoutElement& element, const char* name, bool* flag) {
  if (const std::string* value = FindDirectiveAttribute(element, name)) {
    *flag = ParseBoolean(*value).value_or(*flag);
  }
}

}  // namespace

std::optional<FontDefinition> ParseFontDirective(const LayoutElement& element) {
  const std::string* id = FindDirectiveAttribute(element, "id");
  const std::optional<int> number = id ? ParseInteger(*id) : std::nullopt;
  if (!number || *number < 0) return std::nullopt;
  FontDefinition font;
  font.id = *number;
  if (const std::string* name = FindDirectiveAttribute(element, "name")) font.name = *name;
  if (const std::string* size = FindDirectiveAttribute(element, "size")) {
    const std::optional<int> pixels = ParseInteger(*size);
    if (pixels && *pixels > 0) font.size = *pixels;
  }
  ReadFlag(element, "bold", &font.bold);
  ReadFlag(element, "underline", &font.underline);
  ReadFlag(element, "italic", &font.italic);
  ReadFlag(element, "default", &font.isDefault);
  return font;
}

}  // namespace DuiLib
