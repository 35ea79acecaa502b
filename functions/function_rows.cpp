#include "functions/function_rows.h"

#include <string>

#include "ui/ex/extended_controls.h"
#include "ui/win/button.h"
#include "ui/win/label.h"
#include "ui/win/layouts.h"

namespace functions {

namespace {

struct Tile {
  const wchar_t* row;
  const wchar_t* name;
  const wchar_t* icon;
  const wchar_t* title;
  const wchar_t* subtitle;
};

const Tile kTiles[] = {
    {L"normal_line1", L"function_game_btn", L"function_game.png", L"游戏修复",
     L"全面检测并修复游戏环境"},
    {L"normal_line1", L"function_net_btn", L"function_net.png", L"网络修复",
     L"解决不能上网的各种疑难杂症"},
    {L"normal_line2", L"function_api_btn", L"function_error.png", L"api类dll缺失",
     L"api类缺失点击这里修复"},
    {L"normal_line2", L"function_000007b_btn", L"function_error.png", L"0xc000007b错误提示",
     L"此类错误提示点击这里修复"},
    {L"normal_line2", L"function_80240037_btn", L"function_error.png", L"0x80240037错误提示",
     L"此类错误提示点击这里修复"},
    {L"normal_line3", L"function_msvcp140_btn", L"function_error.png", L"缺少msvcp140.dll",
     L"缺少msvcp140点击这里修复"},
    {L"normal_line3", L"function_vcruntime140_btn", L"function_error.png",
     L"缺少vcruntime140.dll", L"缺少vcruntime140点击这里修复"},
    {L"normal_line3", L"function_kernel32_btn", L"function_error.png", L"缺少kernel32.dll",
     L"缺少kernel32点击这里修复"},
};

// Stored as the catalogue of these errors has them, "11", "12" and "d11" included.
const wchar_t* const kApiSetNames[] = {
    L"api-ms-win-core-libraryloader-11-1-1.d11", L"api-ms-win-crt-runtime-11-1-0.d11",
    L"api-ms-win-core-com-11-1-0.d11", L"api-ms-win-downlevel-kernel32-12-1-0.d11"};

DuiLib::CControlUI* Line(int font, uint32_t color, RECT padding, const wchar_t* text) {
  DuiLib::CLabelUI* label = new DuiLib::CLabelUI;
  label->SetFont(font);
  label->SetTextColor(color);
  label->SetTextPadding(padding);
  label->SetText(text);
  DuiLib::CHorizontalLayoutUI* band = new DuiLib::CHorizontalLayoutUI;
  band->SetFixedHeight(30);
  band->Add(label);
  return band;
}

DuiLib::CControlUI* MakeTile(const Tile& tile) {
  DuiLibEx::CVerticalLayoutUIEx* box = new DuiLibEx::CVerticalLayoutUIEx;
  box->SetName(tile.name);
  box->SetFixedWidth(250);
  box->SetFixedHeight(60);
  box->SetBkImage(L"file='" + std::wstring(tile.icon) + L"' src='0,0,50,50' dest='5,5,55,55'");
  box->Add(Line(1, 0xFF333333, RECT{62, 8, 0, 2}, tile.title));
  box->Add(Line(0, 0xFF888888, RECT{62, 4, 0, 6}, tile.subtitle));
  return box;
}

DuiLib::CControlUI* Placed(DuiLib::CControlUI* control, const wchar_t* pos, int width,
                           int height) {
  control->SetFloat(true);
  control->SetAttribute(L"pos", pos);
  control->SetFixedWidth(width);
  control->SetFixedHeight(height);
  return control;
}

DuiLib::CControlUI* MakeApiRow(int index, const std::wstring& name) {
  DuiLib::CLabelUI* label = new DuiLib::CLabelUI;
  label->SetFont(1);
  label->SetAttribute(L"align", L"left");
  label->SetText(name + L"丢失的解决方法");
  DuiLib::CButtonUI* button = new DuiLib::CButtonUI;
  button->SetName(L"functionapiitem_" + std::to_wstring(index));
  button->SetFont(2);
  button->SetText(L"立即修复");
  button->SetNormalImage(L"funbtn_n.png");
  button->SetHotImage(L"funbtn_h.png");
  button->SetTextColor(0xFFFFFFFF);
  DuiLib::CControlUI* separator = new DuiLib::CControlUI;
  separator->SetBkColor(0xFFDDDDDD);
  DuiLibEx::CHorizontalLayoutUIEx* row = new DuiLibEx::CHorizontalLayoutUIEx;
  row->SetFixedHeight(71);
  row->Add(Placed(label, L"50,25", 500, 20));
  row->Add(Placed(button, L"650,15", 118, 41));
  row->Add(Placed(separator, L"1,70", 845, 1));
  return row;
}

}  // namespace

void AddTiles(const std::function<DuiLib::CContainerUI*(const wchar_t* name)>& row) {
  for (const Tile& tile : kTiles)
    if (DuiLib::CContainerUI* container = row(tile.row)) container->Add(MakeTile(tile));
}

void FillApiList(DuiLib::CContainerUI* list) {
  if (!list) return;
  list->RemoveAll();
  int index = 0;
  for (const wchar_t* name : kApiSetNames) list->Add(MakeApiRow(index++, name));
}

}  // namespace functions
