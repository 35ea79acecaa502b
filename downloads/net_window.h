#pragma once
#include "downloads/download_page.h"

namespace downloads {

// The .NET runtime download list.
class NetWindow : public DownloadPage {
 public:
  static constexpr PageTraits kTraits{L"NetWindow.xml", L"net_list", L"net",
                                      &net::CommonCatalogue::netFiles, 6001, 6002};

  NetWindow(DuiLib::CPaintManagerUI* manager, app::AppState& state, PageOps ops = SystemPageOps())
      : DownloadPage(manager, state, kTraits, std::move(ops)) {}
};

}  // namespace downloads
