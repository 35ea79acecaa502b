#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "functions/check_repair_subpage.h"
#include "functions/network_display.h"
#include "functions/network_sequence.h"

namespace functions {

// What the network sub-page probes and repairs with, how long it pauses, and how it asks the
// user to act. The program puts in Windows' own tools, the real pauses and its OK-only prompt;
// tests put in recording stand-ins and short pauses.
struct NetworkSystemOps {
  std::shared_ptr<NetworkOperations> tools;
  NetworkPauses pauses;
  // Modal; called on the UI thread.
  std::function<void(const std::wstring& title, const std::wstring& message)> prompt;
};

// The "function_net" sub-page over its controls: the six result rows, the three buttons and
// the worker that runs a check or a repair. A worker gives the buttons back itself as its last
// act; it hands nothing over to the page's timer.
class NetworkSubpage : public NetworkDisplay {
 public:
  static constexpr UINT kCheckTimer = 3003;
  static constexpr UINT kRepairTimer = 3004;

  NetworkSubpage(DuiLib::CPaintManagerUI* manager, NetworkSystemOps ops);
  NetworkSubpage(const NetworkSubpage&) = delete;
  NetworkSubpage& operator=(const NetworkSubpage&) = delete;

  // `frame` is the window whose thread shows the prompt.
  void Attach(HWND frame, const CheckRepairSubpage::Find& find);
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
  static repair::PageJobs& Jobs();

  NetworkSystemOps ops_;
  NetworkFlags flags_;
  NetworkSequence sequence_;
  HWND frame_ = nullptr;
  // Last, so that its workers are stopped while the sequence they run still exists.
  CheckRepairSubpage parts_;
};

}  // namespace functions
