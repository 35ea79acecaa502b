#pragma once

#include <cstddef>
#include <string_view>

#include "ui/layout_element.h"
#include "ui/layout_parser.h"
#include "ui/layout_source.h"
#include "ui/layout_target.h"

namespace DuiLib {

enum class LayoutBuildStatus {
  kOk,
  kReadFailed,     // see readStatus: missing, empty, over 4 MiB, damaged
  kParseFailed,    // see parseError
  kNotAWindow,     // the root element is not Window
  kNoRootControl,  // nothing to build, or the root control could not be made
};

struct LayoutBuildResult {
  ControlHandle root = nullptr;
  LayoutBuildStatus status = LayoutBuildStatus::kOk;
  SkinReadStatus readStatus = SkinReadStatus::kOk;
  LayoutParseError parseError;
};

// Include nesting beyond this is ignored, which also ends a file that includes itself.
constexpr size_t kMaxIncludeDepth = 8;
// Bounds on one build's work, against files that include each other many times over:
// each level of nesting would otherwise multiply the files read and controls made.
constexpr size_t kMaxIncludeLoads = 256;
constexpr size_t kMaxBuiltControls = 100000;
// Controls nested through includes deeper than one file may nest (kMaxLayoutDepth) are not
// built: the builder recurses per level, and the Windows main thread has a 1 MiB stack.

// Turns a layout file into controls:
//  1. the Window's Include, Font and Default directives are registered in file order;
//  2. the Window's own attributes are applied;
//  3. the first control element becomes the root, attached to `parent` when one is given.
// For every control, its children are built and attached first; then it is attached to
// its parent, the Default attributes for its element name are set, and its own attributes
// follow in file order.
class LayoutBuilder {
 public:
  LayoutBuilder(const LayoutSource& source, LayoutTarget& target,
                LayoutControlCallback* callback);

  LayoutBuildResult Build(std::string_view fileName, ControlHandle parent = nullptr);

 private:
  bool Load(std::string_view fileName, LayoutElement* root, LayoutBuildResult* result) const;
  bool LoadInclude(const LayoutElement& include, size_t includeDepth, LayoutElement* root);
  void RegisterDirectives(const LayoutElement& window, size_t includeDepth);
  void RegisterDirective(const LayoutElement& element, size_t includeDepth);
  void BuildIncludeInPlace(const LayoutElement& include, ControlHandle parent,
                           size_t includeDepth);
  void BuildNode(const LayoutElement& element, ControlHandle parent, size_t includeDepth);
  ControlHandle BuildControl(const LayoutElement& element, ControlHandle parent,
                             size_t includeDepth);
  ControlHandle CreateControlFor(std::string_view elementName);

  const LayoutSource& source_;
  LayoutTarget& target_;
  LayoutControlCallback* callback_;
  size_t builtControls_ = 0;
  size_t includeLoads_ = 0;
  size_t controlDepth_ = 0;
};

}  // namespace DuiLib
