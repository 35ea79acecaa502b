#include "repair/result_row.h"

#include "ui/ex/extended_controls.h"
#include "ui/win/button.h"
#include "ui/win/label.h"
#include "ui/win/layouts.h"

namespace repair {

namespace {

using DuiLib::CControlUI;

CControlUI* Marker(bool complete) {
  CControlUI* marker = new CControlUI;
  marker->SetFloat(true);
  marker->SetFixedWidth(17);
  marker->SetFixedHeight(17);
  marker->SetAttribute(L"pos", L"60,22");
  marker->SetBkImage(complete ? L"wz.png" : L"qs.png");
  return marker;
}

CControlUI* CheckBox(const std::wstring& name) {
  DuiLib::CCheckBoxUI* box = new DuiLib::CCheckBoxUI;
  box->SetName(name);
  box->SetFloat(true);
  box->SetFixedWidth(16);
  box->SetFixedHeight(16);
  box->SetAttribute(L"pos", L"60,22");
  box->SetNormalImage(L"unsel.png");
  box->SetSelectedImage(L"sel.png");
  box->SetCheck(true);
  return box;
}

DuiLib::CLabelUI* Label(int font, const std::wstring& text,
                        const wchar_t* padding = L"0,15,0,0") {
  DuiLib::CLabelUI* label = new DuiLib::CLabelUI;
  label->SetFont(font);
  label->SetAttribute(L"align", L"left");
  label->SetAttribute(L"textpadding", padding);
  label->SetText(text);
  return label;
}

DuiLib::CVerticalLayoutUI* Column(int width, CControlUI* content) {
  DuiLib::CVerticalLayoutUI* column = new DuiLib::CVerticalLayoutUI;
  if (width > 0) column->SetFixedWidth(width);
  column->Add(content);
  return column;
}

CControlUI* Row(CControlUI* marker, const std::wstring& name, const std::wstring& stateName,
                bool complete) {
  DuiLib::CLabelUI* state = Label(0, complete ? L"完整" : L"缺失");
  state->SetName(stateName);
  state->SetTextColor(complete ? kCompleteColor : kMissingColor);
  DuiLibEx::CHorizontalLayoutUIEx* row = new DuiLibEx::CHorizontalLayoutUIEx;
  row->SetFixedHeight(60);
  row->Add(Column(100, marker));
  row->Add(Column(0, Label(5, name)));
  row->Add(Column(100, state));
  CControlUI* separator = new CControlUI;
  separator->SetFixedWidth(845);
  separator->SetFixedHeight(1);
  separator->SetBkColor(0xFFE5E5E5);
  separator->SetFloat(true);
  separator->SetAttribute(L"pos", L"1,59");
  row->Add(separator);
  return row;
}

}  // namespace

CControlUI* MakeFileRow(const std::wstring& path) {
  DuiLibEx::CHorizontalLayoutUIEx* row = new DuiLibEx::CHorizontalLayoutUIEx;
  row->SetFixedHeight(40);
  row->Add(Label(5, path, L"60,10,0,0"));
  return row;
}

std::wstring CheckBoxName(int id, const std::wstring& prefix) {
  return std::to_wstring(id) + L"_" + prefix + L"check";
}

std::wstring StateLabelName(int id, const std::wstring& prefix) {
  return std::to_wstring(id) + L"_" + prefix + L"state";
}

CControlUI* MakeScanningRow(const std::wstring& name, bool complete) {
  return Row(Marker(complete), name, std::wstring(), complete);
}

CControlUI* MakeFinalRow(int id, const std::wstring& prefix, const std::wstring& name,
                         bool complete) {
  CControlUI* marker = complete ? Marker(true) : CheckBox(CheckBoxName(id, prefix));
  return Row(marker, name, StateLabelName(id, prefix), complete);
}

}  // namespace repair
