#include "downloads/row_builder.h"

#include "downloads/row_names.h"
#include "platform/text_conversion.h"
#include "ui/ex/extended_controls.h"
#include "ui/win/button.h"
#include "ui/win/label.h"

namespace downloads {

namespace {

template <class Control>
Control* Place(DuiLib::CContainerUI* row, Control* control, const wchar_t* pos, int width,
               int height) {
  control->SetFloat(true);
  control->SetAttribute(L"pos", pos);
  control->SetFixedWidth(width);
  control->SetFixedHeight(height);
  row->Add(control);
  return control;
}

DuiLib::CLabelUI* Label(int font, const std::wstring& text) {
  auto* label = new DuiLib::CLabelUI;
  label->SetFont(font);
  label->SetAttribute(L"align", L"left");
  label->SetText(text);
  return label;
}

DuiLib::CButtonUI* Button(const std::wstring& name, const wchar_t* normalImage, bool visible) {
  auto* button = new DuiLib::CButtonUI;
  button->SetName(name);
  button->SetNormalImage(normalImage);
  button->SetVisible(visible);
  return button;
}

// The two wide buttons in the same place: "下载" offered, "安装" once downloaded.
DuiLib::CButtonUI* TextButton(const std::wstring& name, const wchar_t* text,
                              const wchar_t* normalImage, uint32_t textColor, bool visible) {
  DuiLib::CButtonUI* button = Button(name, normalImage, visible);
  button->SetFont(2);
  // Our buttons align their text left unless told; on the button picture it belongs centred.
  button->SetAttribute(L"align", L"center");
  button->SetText(text);
  button->SetTextColor(textColor);
  return button;
}

}  // namespace

DuiLib::CControlUI* BuildRow(const net::CatalogueFile& entry, const std::wstring& stem,
                             const std::string& iconPath) {
  auto* row = new DuiLibEx::CHorizontalLayoutUIEx;
  row->SetFixedHeight(79);
  if (!iconPath.empty()) SetRowIcon(row, iconPath);
  const int id = entry.id;
  auto name = [&](RowRole role) { return RowControlName(id, stem, role); };
  // The catalogue's texts are in code page 936 whatever the system's ANSI code page is.
  Place(row, Label(1, platform::DisplayTextToWide(entry.fileName)), L"90,20", 400, 20);
  DuiLib::CLabelUI* memo = Label(0, platform::DisplayTextToWide(entry.memo));
  memo->SetTextColor(0xFF666666);
  Place(row, memo, L"90,45", 400, 20);
  DuiLib::CLabelUI* progress = Label(0, std::wstring());
  progress->SetName(name(RowRole::kProgress));
  progress->SetVisible(false);
  Place(row, progress, L"500,30", 150, 20);
  DuiLib::CButtonUI* download =
      TextButton(name(RowRole::kDownload), L"下载", L"item_n.png", 0xFF1530C2, true);
  download->SetHotImage(L"item_h.png");
  download->SetHotTextColor(0xFFFFFFFF);
  Place(row, download, L"650,21", 105, 37);
  Place(row, TextButton(name(RowRole::kInstall), L"安装", L"item_h.png", 0xFFFFFFFF, false),
        L"650,21", 105, 37);
  Place(row, Button(name(RowRole::kPause), L"pause.png", false), L"665,26", 28, 28);
  Place(row, Button(name(RowRole::kContinue), L"continue.png", false), L"665,26", 28, 28);
  Place(row, Button(name(RowRole::kDelete), L"delete.png", false), L"710,26", 28, 28);
  auto* separator = new DuiLib::CControlUI;
  separator->SetBkColor(0xFFCCCCCC);
  Place(row, separator, L"1,78", 845, 1);
  return row;
}

void SetRowIcon(DuiLib::CControlUI* row, const std::string& iconPath) {
  row->SetBkImage(L"file='" + platform::AnsiToWide(iconPath.c_str()) + L"' dest='37,21,80,63'");
}

}  // namespace downloads
