#include "functions/subpage_controls.h"

namespace functions {

DuiLib::CHorizontalLayoutUI* IndentedRow(int height, int indent) {
  DuiLib::CHorizontalLayoutUI* row = new DuiLib::CHorizontalLayoutUI;
  row->SetFixedHeight(height);
  DuiLib::CVerticalLayoutUI* space = new DuiLib::CVerticalLayoutUI;
  space->SetFixedWidth(indent);
  row->Add(space);
  return row;
}

DuiLib::CLabelUI* FixedLabel(int width, const wchar_t* text, int font) {
  DuiLib::CLabelUI* label = new DuiLib::CLabelUI;
  label->SetFixedWidth(width);
  if (font >= 0) label->SetFont(font);
  label->SetText(text);
  return label;
}

DuiLib::CLabelUI* StatusLabel() {
  DuiLib::CLabelUI* status = new DuiLib::CLabelUI;
  status->SetFont(5);
  return status;
}

void SetButton(DuiLib::CControlUI* button, bool shown, bool enabled) {
  if (!button) return;
  button->SetVisible(shown);
  button->SetEnabled(enabled);
}

}  // namespace functions
