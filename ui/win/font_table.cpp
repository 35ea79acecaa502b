#include "ui/win/font_table.h"

#include "ui/win/wide_text.h"

namespace DuiLib {

FontTable::~FontTable() {
  for (auto& font : fonts_) ::DeleteObject(font.second.handle);
}

bool FontTable::Add(const FontDefinition& font) {
  LOGFONTW log{};
  // A negative height asks for that character height in pixels (the em size), which is
  // what the font table's size means; a positive one would include the internal leading.
  log.lfHeight = -font.size;
  log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  log.lfUnderline = font.underline ? TRUE : FALSE;
  log.lfItalic = font.italic ? TRUE : FALSE;
  log.lfCharSet = DEFAULT_CHARSET;
  log.lfQuality = ANTIALIASED_QUALITY;
  const std::wstring face = Utf8ToWide(font.name);
  lstrcpynW(log.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT handle = ::CreateFontIndirectW(&log);
  if (handle == nullptr) return false;
  auto found = fonts_.find(font.id);
  if (found != fonts_.end()) ::DeleteObject(found->second.handle);
  fonts_[font.id] = Entry{font, handle};
  if (font.isDefault) defaultId_ = font.id;
  return true;
}

CanvasFont FontTable::Get(int id) const {
  auto found = fonts_.find(id);
  if (found == fonts_.end()) found = fonts_.find(defaultId_);
  if (found == fonts_.end()) found = fonts_.begin();
  if (found == fonts_.end()) {
    return CanvasFont{-1, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))};
  }
  return CanvasFont{found->first, found->second.handle};
}

const FontDefinition* FontTable::Find(int id) const {
  auto found = fonts_.find(id);
  return found == fonts_.end() ? nullptr : &found->second.definition;
}

}  // namespace DuiLib
