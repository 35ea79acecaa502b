#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "functions/network_display.h"
#include "functions/network_sequence.h"
#include "ui/win/container.h"
#include "ui/win/label.h"

namespace functions {

// What the network sub-page probes and repairs with, how long it pauses, and how it asks the
// user to act. The program puts in Windows' own tools, the real pauses and its OK-only prompt;
// tests put in a recording machine and short pauses.
struct NetworkMachine {
  std::shared_ptr<NetworkOperations> tools;
  NetworkPauses pauses;
  // Modal; called on the UI thread.
  std::function<void(const std::wstring& title, const std::wstring& message)> prompt;
};

// The "function_net" sub-page over its controls: the six result rows, the three buttons and
// the worker thread that runs a check or a repair.
class NetworkSubpage : public NetworkDisplay {
 public:
  explicit NetworkSubpage(NetworkMachine machine);
  // Stops the worker from touching the controls and waits for it to end.
  ~NetworkSubpage() override;
  NetworkSubpage(const NetworkSubpage&) = delete;
  NetworkSubpage& operator=(const NetworkSubpage&) = delete;

  // `frame` is the window whose thread shows the prompt.
  void Attach(HWND frame, DuiLib::CControlUI* check, DuiLib::CControlUI* repair,
              DuiLib::CControlUI* back, DuiLib::CContainerUI* list);
  // The buttons of Ready and six fresh rows; the flags of the last check stay.
  void Prepare();
  void StartCheck();
  void StartRepair();

  bool HasRow(NetworkRow row) const override;
  void ShowRowStatus(NetworkRow row, const std::wstring& text, RowLook look) override;
  void SetCheckButton(bool shown, bool enabled) override;
  void SetRepairButton(bool shown, bool enabled) override;
  void SetBackEnabled(bool enabled) override;
  void ShowPrompt(const std::wstring& title, const std::wstring& message) override;

 private:
  void Start(void (NetworkSequence::*run)());
  void WaitForWorker();
  static DWORD WINAPI WorkerMain(void* self);

  NetworkMachine machine_;
  NetworkFlags flags_;
  NetworkSequence sequence_;
  // Set, under the UI lock, when the controls are about to go.
  std::atomic<bool> closing_{false};
  HANDLE worker_ = nullptr;
  void (NetworkSequence::*run_)() = nullptr;

  HWND frame_ = nullptr;
  DuiLib::CControlUI* check_ = nullptr;
  DuiLib::CControlUI* repair_ = nullptr;
  DuiLib::CControlUI* back_ = nullptr;
  DuiLib::CContainerUI* list_ = nullptr;
  // Replaced while the UI lock is held, so a worker never writes into a row that is gone.
  DuiLib::CLabelUI* statuses_[kNetworkRowCount] = {};
};

}  // namespace functions
