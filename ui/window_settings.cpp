#include "ui/window_settings.h"

#include "ui/layout_directives.h"

namespace DuiLib {

WindowSettings ParseWindowSettings(const LayoutElement& window) {
  WindowSettings settings;
  if (const std::string* size = FindDirectiveAttribute(window, "size")) {
    settings.size = ParseSize(*size);
  }
  if (const std::string* caption = FindDirectiveAttribute(window, "caption")) {
    settings.caption = ParseRect(*caption);
  }
  if (const std::string* corner = FindDirectiveAttribute(window, "roundcorner")) {
    settings.roundCorner = ParseSize(*corner);
  }
  return settings;
}

}  // namespace DuiLib
