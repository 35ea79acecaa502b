#pragma once
#include "downloads/row_names.h"
#include "ui/win/control.h"

namespace downloads {

// A row keeps no state of its own: its state is which of its named controls are shown.
enum class RowState { kOffered, kDownloading, kPaused, kDownloaded };

constexpr int kRowRoleCount = 6;

// The six named controls of one row, found by name in the page's window.
struct RowControls {
  DuiLib::CControlUI* controls[kRowRoleCount] = {};

  DuiLib::CControlUI* Get(RowRole role) const { return controls[static_cast<int>(role)]; }
  bool Complete() const;
  // Shows the controls of the state and hides the others; needs Complete().
  void Show(RowState state) const;
};

}  // namespace downloads
