#include "functions/function_window.h"

#include "functions/function_rows.h"
#include "page_machinery/page_text.h"

namespace functions {

namespace {

DuiLib::CContainerUI* AsContainer(DuiLib::CControlUI* control) {
  return DuiLib::ControlAs<DuiLib::CContainerUI>(control);
}

}  // namespace

void FunctionWindow::InitControls() {
  for (int i = 0; i < kSubPageCount; ++i) subPages_[i] = FindControl(kSubPages[i]);
  AddTiles([this](const wchar_t* row) { return AsContainer(FindControl(row)); });
  FillApiList(AsContainer(FindControl(L"function_api_list")));
  const CheckRepairSubpage::Find find = [this](const wchar_t* name) { return FindControl(name); };
  network_.Attach(frameWindow_, find);
  game_.Attach(find);
}

void FunctionWindow::ShowOnly(int index) {
  for (DuiLib::CControlUI* page : subPages_)
    if (page) page->SetVisible(false);
  if (subPages_[index]) subPages_[index]->SetVisible(true);
}

void FunctionWindow::Notify(DuiLib::TNotifyUI& msg) {
  if (repair::SameIgnoringCase(msg.sType, L"timer")) {
    game_.OnTimer(static_cast<UINT>(msg.wParam));
    return;
  }
  if (!repair::SameIgnoringCase(msg.sType, L"click") || msg.pSender == nullptr) return;
  const ClickRoute route = RouteClick(msg.pSender->GetName());
  if (route.subPage >= 0) ShowOnly(route.subPage);
  if (route.subPage == kNetSubPage) network_.Prepare();
  if (route.subPage == kGameSubPage) game_.Prepare();
  if (route.busMessage != 0) Send(route.busMessage, std::string());
  if (route.tool == Tool::kNetCheck) network_.StartCheck();
  if (route.tool == Tool::kNetRepair) network_.StartRepair();
  if (route.tool == Tool::kGameCheck) game_.StartCheck();
  if (route.tool == Tool::kGameRepair) game_.StartRepair();
}

}  // namespace functions
