#pragma once
#include "downloads/download_page.h"

namespace downloads {

// The game essentials download list.
class GameWindow : public DownloadPage {
 public:
  static constexpr PageTraits kTraits{L"GameWindow.xml", L"game_list", L"game",
                                      &net::CommonCatalogue::gameFiles, 7001, 7002};

  GameWindow(DuiLib::CPaintManagerUI* manager, app::AppState& state, PageOps ops = SystemPageOps())
      : DownloadPage(manager, state, kTraits, std::move(ops)) {}
};

}  // namespace downloads
