#pragma once
#include <windows.h>

#include "functions/check_repair_subpage.h"
#include "functions/game_display.h"
#include "functions/game_system_ops.h"
#include "functions/game_sequence.h"
#include "page_machinery/page_kind.h"

namespace functions {

// The "function_game" sub-page over its controls: one row per game platform, the check and
// repair buttons, the back button, the text line, and the check and repair jobs.
class GameSubpage : public GameDisplay {
 public:
  static constexpr UINT kCheckTimer = 3001;
  static constexpr UINT kRepairTimer = 3002;

  GameSubpage(DuiLib::CPaintManagerUI* manager, GameSystemOps ops);
  GameSubpage(const GameSubpage&) = delete;
  GameSubpage& operator=(const GameSubpage&) = delete;

  void Attach(const CheckRepairSubpage::Find& find);
  // The buttons of Ready and a fresh row per platform; the findings of the last check stay.
  void Prepare();
  void StartCheck();
  void StartRepair();
  // The page's timer notifications: the end of a job is finished here.
  void OnTimer(UINT id);

  // The check's marks are the `scan` ones; kept for the process.
  static repair::PageJobs& Jobs();

  void ShowStatus(int platform, const std::wstring& text, uint32_t colour) override;
  void ShowText(const std::wstring& text) override;
  void SetCheckButton(bool shown, bool enabled) override;
  void SetRepairButton(bool shown, bool enabled) override;
  void SetBackEnabled(bool enabled) override;

 private:
  GameSystemOps ops_;
  GameSequence sequence_;
  DuiLib::CControlUI* text_ = nullptr;
  // Last, so that its workers are stopped while the sequence they run still exists.
  CheckRepairSubpage parts_;
};

}  // namespace functions
