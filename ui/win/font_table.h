#pragma once

#include <windows.h>

#include <map>

#include "ui/font_directive.h"
#include "ui/win/canvas.h"

namespace DuiLib {

// A window's fonts by id. A control that names no font, or an id the table lacks, gets
// the font marked default (else the first one, else the system's GUI font).
class FontTable {
 public:
  FontTable() = default;
  ~FontTable();
  FontTable(const FontTable&) = delete;
  FontTable& operator=(const FontTable&) = delete;

  // A later font with the same id replaces the earlier one.
  bool Add(const FontDefinition& font);
  CanvasFont Get(int id) const;
  const FontDefinition* Find(int id) const;
  size_t size() const { return fonts_.size(); }

 private:
  struct Entry {
    FontDefinition definition;
    HFONT handle = nullptr;
  };
  std::map<int, Entry> fonts_;
  int defaultId_ = -1;
};

}  // namespace DuiLib
