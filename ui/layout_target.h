#pragma once

#include <string_view>

#include "ui/builtin_controls.h"
#include "ui/default_attribute_table.h"
#include "ui/font_directive.h"
#include "ui/window_settings.h"

namespace DuiLib {

// A control made by the framework side. The builder only passes it back; the side that
// made it knows its real type (a CControlUI on Windows, a record in tests).
using ControlHandle = void*;

// The window that a layout is built into: it makes the built-in controls, wires them
// together and takes the directives. On Windows the paint manager's glue implements it.
class LayoutTarget {
 public:
  virtual ~LayoutTarget() = default;

  virtual void RegisterFont(const FontDefinition& font) = 0;
  virtual DefaultAttributeTable& WindowDefaults() = 0;
  virtual DefaultAttributeTable& SharedDefaults() = 0;
  virtual void ApplyWindowSettings(const WindowSettings& settings) = 0;

  // nullptr when this side cannot make that kind; the element then goes to the callback.
  virtual ControlHandle CreateBuiltinControl(BuiltinControl kind) = 0;
  // Adds the control to `parent` (nullptr: a root, attached to the window only). From here
  // on the parent or the window owns the control.
  virtual void AttachControl(ControlHandle control, ControlHandle parent) = 0;
  // Names are passed exactly as written: control attribute names are case-sensitive.
  virtual void SetControlAttribute(ControlHandle control, std::string_view name,
                                   std::string_view value) = 0;
};

// The window's CreateControl: makes a control for an element name that the builder does
// not know (the main frame's pages, the prompt's extended buttons), or returns nullptr,
// and the element is skipped with its children.
class LayoutControlCallback {
 public:
  virtual ~LayoutControlCallback() = default;
  virtual ControlHandle CreateControl(std::string_view elementName) = 0;
};

}  // namespace DuiLib
