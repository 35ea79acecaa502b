#include "ui/builtin_controls.h"

#include "ui/ascii_case.h"

namespace DuiLib {

namespace {

struct BuiltinName {
  BuiltinControl kind;
  const char* name;
};

constexpr BuiltinName kBuiltins[] = {
    {BuiltinControl::kControl, "Control"},
    {BuiltinControl::kContainer, "Container"},
    {BuiltinControl::kHorizontalLayout, "HorizontalLayout"},
    {BuiltinControl::kVerticalLayout, "VerticalLayout"},
    {BuiltinControl::kLabel, "Label"},
    {BuiltinControl::kText, "Text"},
    {BuiltinControl::kButton, "Button"},
    {BuiltinControl::kOption, "Option"},
    {BuiltinControl::kRichEdit, "RichEdit"},
    {BuiltinControl::kProgress, "Progress"},
    {BuiltinControl::kSlider, "Slider"},
    {BuiltinControl::kGifAnim, "GifAnim"},
};

}  // namespace

std::optional<BuiltinControl> FindBuiltinControl(std::string_view elementName) {
  for (const BuiltinName& builtin : kBuiltins) {
    if (EqualsIgnoringAsciiCase(elementName, builtin.name)) return builtin.kind;
  }
  return std::nullopt;
}

const char* BuiltinControlName(BuiltinControl kind) {
  for (const BuiltinName& builtin : kBuiltins) {
    if (builtin.kind == kind) return builtin.name;
  }
  return "";
}

}  // namespace DuiLib
