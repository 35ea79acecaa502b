#pragma once

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout_source.h"
#include "ui/layout_target.h"

// Test doubles for the layout builder: a target that makes plain records and logs every
// call in order, a CreateControl callback that knows a fixed set of names, and a source
// that serves layout texts from a map.
namespace ui_test {

struct RecordedControl {
  int id = 0;
  std::string kind;
  RecordedControl* parent = nullptr;
  bool attached = false;
  std::vector<RecordedControl*> children;
  std::vector<std::pair<std::string, std::string>> attributes;

  // The last value set for an attribute, exact name; empty when never set.
  std::string Attribute(std::string_view name) const;
};

class RecordingLayoutTarget : public DuiLib::LayoutTarget {
 public:
  void RegisterFont(const DuiLib::FontDefinition& font) override;
  DuiLib::DefaultAttributeTable& WindowDefaults() override { return windowDefaults; }
  DuiLib::DefaultAttributeTable& SharedDefaults() override { return *sharedDefaults; }
  void ApplyWindowSettings(const DuiLib::WindowSettings& settings) override;
  DuiLib::ControlHandle CreateBuiltinControl(DuiLib::BuiltinControl kind) override;
  void AttachControl(DuiLib::ControlHandle control, DuiLib::ControlHandle parent) override;
  void SetControlAttribute(DuiLib::ControlHandle control, std::string_view name,
                           std::string_view value) override;

  RecordedControl* Make(const std::string& kind);
  static RecordedControl* Record(DuiLib::ControlHandle handle) {
    return static_cast<RecordedControl*>(handle);
  }

  std::vector<std::string> log;
  std::vector<DuiLib::FontDefinition> fonts;
  std::vector<DuiLib::WindowSettings> windowSettings;
  DuiLib::DefaultAttributeTable windowDefaults;
  DuiLib::DefaultAttributeTable ownShared;
  DuiLib::DefaultAttributeTable* sharedDefaults = &ownShared;  // point two targets at one
  std::vector<DuiLib::BuiltinControl> refusedKinds;

 private:
  std::deque<RecordedControl> controls_;
};

class RecordingCallback : public DuiLib::LayoutControlCallback {
 public:
  RecordingCallback(RecordingLayoutTarget* target, std::vector<std::string> known)
      : target_(target), known_(std::move(known)) {}
  DuiLib::ControlHandle CreateControl(std::string_view elementName) override;

  std::vector<std::string> asked;

 private:
  RecordingLayoutTarget* target_;
  std::vector<std::string> known_;
};

class MapLayoutSource : public DuiLib::LayoutSource {
 public:
  DuiLib::SkinReadStatus ReadLayoutFile(std::string_view name, std::string* text) const override;
  std::map<std::string, std::string> files;
  mutable std::vector<std::string> reads;
};

}  // namespace ui_test
