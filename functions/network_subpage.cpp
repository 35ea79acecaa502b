#include "functions/network_subpage.h"

#include <utility>

#include "page_machinery/ui_thread_call.h"
#include "functions/subpage_controls.h"
#include "ui/win/ui_lock.h"

namespace functions {

namespace {

struct RowText {
  const wchar_t* title;
  const wchar_t* description;
  int descriptionWidth;
};

const RowText kRows[kNetworkRowCount] = {
    {L"网络硬件配置", L"检测网卡是否启用、网线是否插好", 190},
    {L"DHCP服务", L"检测DHCP服务是否开启、相关注册表设置是否完好", 285},
    {L"IP地址配置", L"检测IP地址是否存在错误或中突的异常情况", 240},
    {L"DNS配置", L"检测DNS配置是否正常", 135},
    {L"网络代理配置", L"若配置了网络代理服务器，检测代理配置是否正常", 275},
    {L"电脑能否上网", L"检测你的电脑是否可以正常、流畅地直连网络和访问网页", 310},
};

uint32_t ColourOf(RowLook look) {
  switch (look) {
    case RowLook::kRunning: return 0xFF1E90FF;
    case RowLook::kGood: return 0xFF2BA715;
    case RowLook::kFault: return 0xFFFF3400;
  }
  return 0xFF1E90FF;
}

DuiLib::CControlUI* MakeRow(const RowText& text, DuiLib::CLabelUI*& status) {
  DuiLib::CHorizontalLayoutUI* row = IndentedRow(50, 50);
  row->Add(FixedLabel(150, text.title));
  row->Add(FixedLabel(text.descriptionWidth, text.description));
  status = StatusLabel();
  row->Add(status);
  return row;
}

}  // namespace

NetworkSubpage::NetworkSubpage(DuiLib::CPaintManagerUI* manager, NetworkSystemOps ops)
    : ops_(std::move(ops)),
      sequence_(*ops_.tools, *this, flags_,
                [this] {
                  // A page that is going skips the waits, so its worker ends after the step
                  // in hand.
                  NetworkPauses pauses = ops_.pauses;
                  pauses.sleep = [this, sleep = ops_.pauses.sleep](unsigned ms) {
                    if (!parts_.Going()) sleep(ms);
                  };
                  return pauses;
                }()),
      parts_(manager, kCheckTimer, kRepairTimer, Jobs()) {}

repair::PageJobs& NetworkSubpage::Jobs() {
  static repair::PageJobs jobs;
  return jobs;
}

void NetworkSubpage::Attach(HWND frame, const CheckRepairSubpage::Find& find) {
  parts_.Attach(find, L"function_net");
  DuiLib::UiGuard guard;
  frame_ = frame;
}

void NetworkSubpage::Prepare() {
  sequence_.ShowReady();
  parts_.RebuildRows(kNetworkRowCount, [](int row, DuiLib::CLabelUI*& status) {
    return MakeRow(kRows[row], status);
  });
}

void NetworkSubpage::StartCheck() {
  sequence_.BeginCheck();
  parts_.StartCheck([this] { sequence_.RunCheck(); });
}

void NetworkSubpage::StartRepair() {
  sequence_.BeginRepair();
  parts_.StartRepair([this] { sequence_.RunRepair(); });
}

bool NetworkSubpage::HasRow(NetworkRow row) const { return parts_.HasRow(static_cast<int>(row)); }

void NetworkSubpage::ShowRowStatus(NetworkRow row, const std::wstring& text, RowLook look) {
  parts_.ShowStatus(static_cast<int>(row), text, ColourOf(look));
}

void NetworkSubpage::SetCheckButton(bool shown, bool enabled) {
  parts_.SetCheckButton(shown, enabled);
}

void NetworkSubpage::SetRepairButton(bool shown, bool enabled) {
  parts_.SetRepairButton(shown, enabled);
}

void NetworkSubpage::SetBackEnabled(bool enabled) { parts_.SetBackEnabled(enabled); }

void NetworkSubpage::ShowPrompt(const std::wstring& title, const std::wstring& message) {
  if (parts_.Going() || !frame_ || !ops_.prompt) return;
  // The prompt belongs to the UI thread; the worker waits there until it is closed. A page
  // that started going meanwhile shows none.
  app::CallOnWindowThread(frame_, [&] {
    if (!parts_.Going()) ops_.prompt(title, message);
  });
}

}  // namespace functions
