#include "functions/network_subpage.h"

#include <utility>

#include "page_machinery/ui_thread_call.h"
#include "functions/subpage_controls.h"
#include "ui/win/layouts.h"
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

// The status label is handed back: it is the one control of the row that changes.
DuiLib::CControlUI* MakeRow(const RowText& text, DuiLib::CLabelUI*& status) {
  DuiLib::CHorizontalLayoutUI* row = IndentedRow(50, 50);
  row->Add(FixedLabel(150, text.title));
  row->Add(FixedLabel(text.descriptionWidth, text.description));
  status = StatusLabel();
  row->Add(status);
  return row;
}

}  // namespace

NetworkSubpage::NetworkSubpage(NetworkMachine machine)
    : machine_(std::move(machine)), sequence_(*machine_.tools, *this, flags_, [this] {
        // A page that is going skips the waits, so its worker ends after the step in hand.
        NetworkPauses pauses = machine_.pauses;
        pauses.sleep = [this, sleep = machine_.pauses.sleep](unsigned ms) {
          if (!closing_) sleep(ms);
        };
        return pauses;
      }()) {}

NetworkSubpage::~NetworkSubpage() {
  {
    DuiLib::UiGuard guard;
    closing_ = true;
  }
  WaitForWorker();
}

void NetworkSubpage::Attach(HWND frame, DuiLib::CControlUI* check, DuiLib::CControlUI* repair,
                            DuiLib::CControlUI* back, DuiLib::CContainerUI* list) {
  DuiLib::UiGuard guard;
  frame_ = frame;
  check_ = check;
  repair_ = repair;
  back_ = back;
  list_ = list;
}

void NetworkSubpage::Prepare() {
  sequence_.ShowReady();
  DuiLib::UiGuard guard;
  for (DuiLib::CLabelUI*& status : statuses_) status = nullptr;
  if (!list_) return;
  list_->RemoveAll();
  for (int i = 0; i < kNetworkRowCount; ++i) list_->Add(MakeRow(kRows[i], statuses_[i]));
}

void NetworkSubpage::StartCheck() {
  sequence_.BeginCheck();
  Start(&NetworkSequence::RunCheck);
}

void NetworkSubpage::StartRepair() {
  sequence_.BeginRepair();
  Start(&NetworkSequence::RunRepair);
}

void NetworkSubpage::Start(void (NetworkSequence::*run)()) {
  // The last run has given the buttons back as its final act, so this wait is short.
  WaitForWorker();
  run_ = run;
  worker_ = ::CreateThread(nullptr, 0, &NetworkSubpage::WorkerMain, this, 0, nullptr);
}

DWORD WINAPI NetworkSubpage::WorkerMain(void* self) {
  NetworkSubpage& page = *static_cast<NetworkSubpage*>(self);
  (page.sequence_.*page.run_)();
  return 0;
}

void NetworkSubpage::WaitForWorker() {
  if (!worker_) return;
  // The worker needs the UI lock for its next change, and it may be waiting for this thread
  // to show a prompt: sent messages are served meanwhile.
  DuiLib::UiLockSuspension unlocked;
  while (::MsgWaitForMultipleObjects(1, &worker_, FALSE, INFINITE, QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  ::CloseHandle(worker_);
  worker_ = nullptr;
}

bool NetworkSubpage::HasRow(NetworkRow row) const {
  DuiLib::UiGuard guard;
  return statuses_[static_cast<int>(row)] != nullptr;
}

void NetworkSubpage::ShowRowStatus(NetworkRow row, const std::wstring& text, RowLook look) {
  DuiLib::UiGuard guard;
  DuiLib::CLabelUI* status = statuses_[static_cast<int>(row)];
  if (closing_ || !status) return;
  status->SetText(text);
  status->SetTextColor(ColourOf(look));
}

void NetworkSubpage::SetCheckButton(bool shown, bool enabled) {
  DuiLib::UiGuard guard;
  if (!closing_) SetButton(check_, shown, enabled);
}

void NetworkSubpage::SetRepairButton(bool shown, bool enabled) {
  DuiLib::UiGuard guard;
  if (!closing_) SetButton(repair_, shown, enabled);
}

void NetworkSubpage::SetBackEnabled(bool enabled) {
  DuiLib::UiGuard guard;
  if (!closing_ && back_) back_->SetEnabled(enabled);
}

void NetworkSubpage::ShowPrompt(const std::wstring& title, const std::wstring& message) {
  if (closing_ || !frame_ || !machine_.prompt) return;
  // The prompt belongs to the UI thread; the worker waits there until it is closed. A page
  // that started going meanwhile shows none.
  app::CallOnWindowThread(frame_, [&] {
    if (!closing_) machine_.prompt(title, message);
  });
}

}  // namespace functions
