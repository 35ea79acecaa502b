#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/layout_element.h"

namespace DuiLib {

// Default attributes per control kind ("VScrollBar", "Button"), kind names compared
// without case. A window keeps one table; one more, shared by every window of the
// process, holds the Default directives marked shared="true". Both are used on the UI
// thread only, where all layouts are built.
class DefaultAttributeTable {
 public:
  // A later Default for the same kind replaces the earlier one.
  void Set(std::string_view controlName, LayoutAttributes attributes);
  const LayoutAttributes* Find(std::string_view controlName) const;
  size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string controlName;
    LayoutAttributes attributes;
  };
  std::vector<Entry> entries_;
};

// The window's own defaults take precedence over the shared ones.
const LayoutAttributes* FindDefaultAttributes(const DefaultAttributeTable& window,
                                              const DefaultAttributeTable& shared,
                                              std::string_view controlName);

}  // namespace DuiLib
