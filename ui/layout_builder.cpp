#include "ui/layout_builder.h"

#include "ui/layout_directives.h"

namespace DuiLib {

LayoutBuilder::LayoutBuilder(const LayoutSource& source, LayoutTarget& target,
                             LayoutControlCallback* callback)
    : source_(source), target_(target), callback_(callback) {}

LayoutBuildResult LayoutBuilder::Build(std::string_view fileName, ControlHandle parent) {
  LayoutBuildResult result;
  builtControls_ = 0;
  includeLoads_ = 0;
  controlDepth_ = 0;
  LayoutElement window;
  if (!Load(fileName, &window, &result)) return result;
  if (DirectiveOf(window.name) != LayoutDirective::kWindow) {
    result.status = LayoutBuildStatus::kNotAWindow;
    return result;
  }
  RegisterDirectives(window, 0);
  target_.ApplyWindowSettings(ParseWindowSettings(window));
  // The window holds one root control; anything after it is not built.
  for (const LayoutElement& child : window.children) {
    if (DirectiveOf(child.name) != LayoutDirective::kNone) continue;
    result.root = BuildControl(child, parent, 0);
    break;
  }
  if (result.root == nullptr) result.status = LayoutBuildStatus::kNoRootControl;
  return result;
}

bool LayoutBuilder::Load(std::string_view fileName, LayoutElement* root,
                         LayoutBuildResult* result) const {
  std::string text;
  result->readStatus = source_.ReadLayoutFile(fileName, &text);
  if (result->readStatus != SkinReadStatus::kOk) {
    result->status = LayoutBuildStatus::kReadFailed;
    return false;
  }
  if (!ParseLayout(text, root, &result->parseError)) {
    result->status = LayoutBuildStatus::kParseFailed;
    return false;
  }
  return true;
}

bool LayoutBuilder::LoadInclude(const LayoutElement& include, size_t includeDepth,
                                LayoutElement* root) {
  const auto source = ParseIncludeSource(include);
  if (!source || includeDepth >= kMaxIncludeDepth || includeLoads_ >= kMaxIncludeLoads) {
    return false;
  }
  ++includeLoads_;
  LayoutBuildResult ignored;
  return Load(*source, root, &ignored);
}

void LayoutBuilder::RegisterDirectives(const LayoutElement& window, size_t includeDepth) {
  for (const LayoutElement& child : window.children) {
    if (DirectiveOf(child.name) != LayoutDirective::kNone) RegisterDirective(child, includeDepth);
  }
}

void LayoutBuilder::RegisterDirective(const LayoutElement& element, size_t includeDepth) {
  switch (DirectiveOf(element.name)) {
    case LayoutDirective::kFont:
      if (const auto font = ParseFontDirective(element)) target_.RegisterFont(*font);
      return;
    case LayoutDirective::kDefault:
      if (auto directive = ParseDefaultDirective(element)) {
        DefaultAttributeTable& table =
            directive->shared ? target_.SharedDefaults() : target_.WindowDefaults();
        table.Set(directive->controlName, std::move(directive->attributes));
      }
      return;
    case LayoutDirective::kInclude: {
      // At window level an included file contributes its directives (the font table);
      // the including window keeps its own root control.
      LayoutElement included;
      if (!LoadInclude(element, includeDepth, &included)) return;
      if (DirectiveOf(included.name) == LayoutDirective::kWindow) {
        RegisterDirectives(included, includeDepth + 1);
      } else if (DirectiveOf(included.name) != LayoutDirective::kNone) {
        RegisterDirective(included, includeDepth + 1);
      }
      return;
    }
    case LayoutDirective::kWindow:
    case LayoutDirective::kNone:
      return;
  }
}

void LayoutBuilder::BuildIncludeInPlace(const LayoutElement& include, ControlHandle parent,
                                        size_t includeDepth) {
  LayoutElement included;
  if (!LoadInclude(include, includeDepth, &included)) return;
  if (DirectiveOf(included.name) == LayoutDirective::kWindow) {
    for (const LayoutElement& child : included.children) {
      BuildNode(child, parent, includeDepth + 1);
    }
  } else {
    BuildNode(included, parent, includeDepth + 1);
  }
}

void LayoutBuilder::BuildNode(const LayoutElement& element, ControlHandle parent,
                              size_t includeDepth) {
  switch (DirectiveOf(element.name)) {
    case LayoutDirective::kNone:
      BuildControl(element, parent, includeDepth);
      return;
    case LayoutDirective::kInclude:
      BuildIncludeInPlace(element, parent, includeDepth);
      return;
    case LayoutDirective::kFont:
    case LayoutDirective::kDefault:
      RegisterDirective(element, includeDepth);
      return;
    case LayoutDirective::kWindow:
      return;  // a Window inside a control means nothing
  }
}

ControlHandle LayoutBuilder::BuildControl(const LayoutElement& element, ControlHandle parent,
                                          size_t includeDepth) {
  if (builtControls_ >= kMaxBuiltControls || controlDepth_ >= kMaxLayoutDepth) return nullptr;
  const ControlHandle control = CreateControlFor(element.name);
  if (control == nullptr) return nullptr;
  ++builtControls_;
  ++controlDepth_;
  for (const LayoutElement& child : element.children) {
    BuildNode(child, control, includeDepth);
  }
  --controlDepth_;
  target_.AttachControl(control, parent);
  if (const LayoutAttributes* defaults = FindDefaultAttributes(
          target_.WindowDefaults(), target_.SharedDefaults(), element.name)) {
    for (const LayoutAttribute& attribute : *defaults) {
      target_.SetControlAttribute(control, attribute.name, attribute.value);
    }
  }
  for (const LayoutAttribute& attribute : element.attributes) {
    target_.SetControlAttribute(control, attribute.name, attribute.value);
  }
  return control;
}

ControlHandle LayoutBuilder::CreateControlFor(std::string_view elementName) {
  if (const auto kind = FindBuiltinControl(elementName)) {
    if (const ControlHandle control = target_.CreateBuiltinControl(*kind)) return control;
  }
  return callback_ != nullptr ? callback_->CreateControl(elementName) : nullptr;
}

}  // namespace DuiLib
