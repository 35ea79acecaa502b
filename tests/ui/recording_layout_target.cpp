#include "recording_layout_target.h"

namespace ui_test {

std::string RecordedControl::Attribute(std::string_view name) const {
  std::string value;
  for (const auto& attribute : attributes) {
    if (attribute.first == name) value = attribute.second;
  }
  return value;
}

void RecordingLayoutTarget::RegisterFont(const DuiLib::FontDefinition& font) {
  fonts.push_back(font);
  log.push_back("font " + std::to_string(font.id));
}

void RecordingLayoutTarget::ApplyWindowSettings(const DuiLib::WindowSettings& settings) {
  windowSettings.push_back(settings);
  log.push_back("window");
}

RecordedControl* RecordingLayoutTarget::Make(const std::string& kind) {
  RecordedControl& control = controls_.emplace_back();
  control.id = static_cast<int>(controls_.size());
  control.kind = kind;
  log.push_back("create " + std::to_string(control.id) + " " + kind);
  return &control;
}

DuiLib::ControlHandle RecordingLayoutTarget::CreateBuiltinControl(DuiLib::BuiltinControl kind) {
  for (DuiLib::BuiltinControl refused : refusedKinds) {
    if (refused == kind) return nullptr;
  }
  return Make(DuiLib::BuiltinControlName(kind));
}

void RecordingLayoutTarget::AttachControl(DuiLib::ControlHandle control,
                                          DuiLib::ControlHandle parent) {
  RecordedControl* child = Record(control);
  child->attached = true;
  child->parent = Record(parent);
  if (child->parent != nullptr) child->parent->children.push_back(child);
  log.push_back("attach " + std::to_string(child->id) + " to " +
                (child->parent ? std::to_string(child->parent->id) : "window"));
}

void RecordingLayoutTarget::SetControlAttribute(DuiLib::ControlHandle control,
                                                std::string_view name, std::string_view value) {
  RecordedControl* record = Record(control);
  record->attributes.emplace_back(std::string(name), std::string(value));
  log.push_back("set " + std::to_string(record->id) + " " + std::string(name) + "=" +
                std::string(value));
}

DuiLib::ControlHandle RecordingCallback::CreateControl(std::string_view elementName) {
  asked.emplace_back(elementName);
  for (const std::string& name : known_) {
    if (name == elementName) return target_->Make(name);
  }
  return nullptr;
}

DuiLib::SkinReadStatus MapLayoutSource::ReadLayoutFile(std::string_view name,
                                                       std::string* text) const {
  reads.emplace_back(name);
  const auto found = files.find(std::string(name));
  if (found == files.end()) return DuiLib::SkinReadStatus::kMissing;
  *text = found->second;
  return DuiLib::SkinReadStatus::kOk;
}

}  // namespace ui_test
