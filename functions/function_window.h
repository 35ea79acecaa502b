#pragma once
#include <utility>

#include "page_machinery/page_window.h"
#include "functions/click_route.h"
#include "functions/game_subpage.h"
#include "functions/network_subpage.h"

namespace functions {

// The advanced functions page: the tile grid and eight detail sub-pages, one shown at a time.
// Its "立即修复" buttons ask the frame over the bus for the runtime scan or the system DLL
// repair, which the pages of those tabs do. It ignores the frame's commands; the timers it
// hears end the game sub-page's jobs.
class FunctionWindow : public app::PageWindow {
 public:
  FunctionWindow(DuiLib::CPaintManagerUI* manager, NetworkSystemOps network, GameSystemOps game)
      : PageWindow(manager), network_(manager, std::move(network)), game_(manager, std::move(game)) {}
  const wchar_t* LayoutFile() const override { return L"FunctionWindow.xml"; }
  void Notify(DuiLib::TNotifyUI& msg) override;

 protected:
  void InitControls() override;

 private:
  // Hides all nine sub-pages, then shows the one of `index`.
  void ShowOnly(int index);

  DuiLib::CControlUI* subPages_[kSubPageCount] = {};
  // Members go before the base's child controls: the workers are stopped while they exist.
  NetworkSubpage network_;
  GameSubpage game_;
};

}  // namespace functions
