#include "ui/default_attribute_table.h"

#include "ui/ascii_case.h"

namespace DuiLib {

void DefaultAttributeTable::Set(std::string_view controlName, LayoutAttributes attributes) {
  for (Entry& entry : entries_) {
    if (EqualsIgnoringAsciiCase(entry.controlName, controlName)) {
      entry.attributes = std::move(attributes);
      return;
    }
  }
  entries_.push_back({std::string(controlName), std::move(attributes)});
}

const LayoutAttributes* DefaultAttributeTable::Find(std::string_view controlName) const {
  for (const Entry& entry : entries_) {
    if (EqualsIgnoringAsciiCase(entry.controlName, controlName)) return &entry.attributes;
  }
  return nullptr;
}

const LayoutAttributes* FindDefaultAttributes(const DefaultAttributeTable& window,
                                              const DefaultAttributeTable& shared,
                                              std::string_view controlName) {
  if (const LayoutAttributes* own = window.Find(controlName)) return own;
  return shared.Find(controlName);
}

}  // namespace DuiLib
