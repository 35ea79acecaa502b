#include "functions/function_window.h"

#include "functions/function_rows.h"
#include "repair/page_text.h"

namespace functions {

namespace {

DuiLib::CContainerUI* AsContainer(DuiLib::CControlUI* control) {
  return control ? static_cast<DuiLib::CContainerUI*>(control->GetInterface(L"Container"))
                 : nullptr;
}

}  // namespace

void FunctionWindow::InitControls() {
  for (int i = 0; i < kSubPageCount; ++i) subPages_[i] = FindControl(kSubPages[i]);
  AddTiles([this](const wchar_t* row) { return AsContainer(FindControl(row)); });
  FillApiList(AsContainer(FindControl(L"function_api_list")));
}

void FunctionWindow::ShowOnly(int index) {
  for (DuiLib::CControlUI* page : subPages_)
    if (page) page->SetVisible(false);
  if (subPages_[index]) subPages_[index]->SetVisible(true);
}

void FunctionWindow::Notify(DuiLib::TNotifyUI& msg) {
  if (!repair::SameIgnoringCase(msg.sType, L"click") || msg.pSender == nullptr) return;
  const ClickRoute route = RouteClick(msg.pSender->GetName());
  if (route.subPage >= 0) ShowOnly(route.subPage);
  if (route.busMessage != 0) Send(route.busMessage, std::string());
  // The game and network tools (route.tool) come with their sub-pages' own work.
}

}  // namespace functions
