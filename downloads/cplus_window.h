#pragma once
#include "downloads/download_page.h"

namespace downloads {

// The C++ runtime download list; the class and its file keep the established spelling.
class CPlusWinodw : public DownloadPage {
 public:
  static constexpr PageTraits kTraits{L"CPlusWinodw.xml", L"cplus_list", L"cplus",
                                      &net::CommonCatalogue::cplusFiles, 5001, 5002};

  CPlusWinodw(DuiLib::CPaintManagerUI* manager, app::AppState& state, PageOps ops = SystemPageOps())
      : DownloadPage(manager, state, kTraits, std::move(ops)) {}
};

}  // namespace downloads
