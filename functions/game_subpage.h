#pragma once
#include <windows.h>

#include "functions/game_display.h"
#include "functions/game_machine.h"
#include "functions/game_sequence.h"
#include "page_machinery/page_job.h"
#include "page_machinery/page_kind.h"
#include "ui/win/container.h"
#include "ui/win/label.h"

namespace functions {

// The "function_game" sub-page over its controls: one row per game platform, the check and
// repair buttons, the back button, the text line, and the check and repair jobs.
class GameSubpage : public GameDisplay {
 public:
  static constexpr UINT kCheckTimer = 3001;
  static constexpr UINT kRepairTimer = 3002;

  GameSubpage(DuiLib::CPaintManagerUI* manager, GameMachine machine);
  // Stops a running job and waits for its worker, which writes into the controls.
  ~GameSubpage() override;
  GameSubpage(const GameSubpage&) = delete;
  GameSubpage& operator=(const GameSubpage&) = delete;

  void Attach(DuiLib::CControlUI* check, DuiLib::CControlUI* repair, DuiLib::CControlUI* back,
              DuiLib::CControlUI* text, DuiLib::CContainerUI* list);
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
  RunControl ControlOf(repair::PageJob& job);

  GameMachine machine_;
  GameSequence sequence_;
  repair::PageJob checkJob_;
  repair::PageJob repairJob_;

  DuiLib::CControlUI* check_ = nullptr;
  DuiLib::CControlUI* repair_ = nullptr;
  DuiLib::CControlUI* back_ = nullptr;
  DuiLib::CControlUI* text_ = nullptr;
  DuiLib::CContainerUI* list_ = nullptr;
  // Replaced while the UI lock is held, so a worker never writes into a row that is gone.
  DuiLib::CLabelUI* statuses_[kGamePlatformCount] = {};
};

}  // namespace functions
