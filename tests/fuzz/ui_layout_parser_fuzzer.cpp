// Feeds arbitrary text to the layout parser and builder, and every attribute value to the
// attribute string parsers, the way a damaged skin would reach them.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "ui/attribute_list.h"
#include "ui/attribute_values.h"
#include "ui/control_geometry.h"
#include "ui/image_attribute.h"
#include "ui/layout_builder.h"
#include "ui/utf_conversion.h"

namespace {

// Serves the input under every name, so Include directives reach the input again.
class InputSource : public DuiLib::LayoutSource {
 public:
  explicit InputSource(std::string_view input) : input_(input) {}
  DuiLib::SkinReadStatus ReadLayoutFile(std::string_view, std::string* text) const override {
    *text = std::string(input_);
    return DuiLib::SkinReadStatus::kOk;
  }

 private:
  std::string_view input_;
};

struct FuzzControl {
  DuiLib::ControlGeometry geometry;
};

class FuzzTarget : public DuiLib::LayoutTarget, public DuiLib::LayoutControlCallback {
 public:
  void RegisterFont(const DuiLib::FontDefinition&) override {}
  DuiLib::DefaultAttributeTable& WindowDefaults() override { return window_; }
  DuiLib::DefaultAttributeTable& SharedDefaults() override { return shared_; }
  void ApplyWindowSettings(const DuiLib::WindowSettings&) override {}
  DuiLib::ControlHandle CreateBuiltinControl(DuiLib::BuiltinControl) override {
    return &controls_.emplace_back();
  }
  DuiLib::ControlHandle CreateControl(std::string_view name) override {
    return name.size() == 3 ? &controls_.emplace_back() : nullptr;
  }
  void AttachControl(DuiLib::ControlHandle control, DuiLib::ControlHandle) override {
    if (control == nullptr) __builtin_trap();
  }
  void SetControlAttribute(DuiLib::ControlHandle control, std::string_view name,
                           std::string_view value) override {
    DuiLib::ApplyGeometryAttribute(&static_cast<FuzzControl*>(control)->geometry, name, value);
    DuiLib::ParseImageAttribute(value);
    DuiLib::ParseColor(value);
    DuiLib::ParseRect(value);
    DuiLib::ParseAttributeList(value);
    const std::u16string wide = DuiLib::Utf8ToUtf16(value);
    // Converting back and forth again must be stable once invalid bytes are replaced.
    if (DuiLib::Utf8ToUtf16(DuiLib::Utf16ToUtf8(wide)) != wide) __builtin_trap();
  }

 private:
  DuiLib::DefaultAttributeTable window_;
  DuiLib::DefaultAttributeTable shared_;
  std::deque<FuzzControl> controls_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  InputSource source(input);
  FuzzTarget target;
  DuiLib::LayoutBuilder builder(source, target, &target);
  const DuiLib::LayoutBuildResult result = builder.Build("Fuzz.xml");
  if ((result.root != nullptr) != (result.status == DuiLib::LayoutBuildStatus::kOk)) {
    __builtin_trap();
  }
  return 0;
}
