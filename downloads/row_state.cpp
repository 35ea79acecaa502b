#include "downloads/row_state.h"

namespace downloads {

namespace {

// Columns in RowRole order: progress, download, install, pause, continue, delete.
constexpr bool kShown[][kRowRoleCount] = {
    {false, true, false, false, false, false},  // offered
    {true, false, false, true, false, true},    // downloading
    {true, false, false, false, true, true},    // paused
    {false, false, true, false, false, false},  // downloaded
};

}  // namespace

bool RowControls::Complete() const {
  for (DuiLib::CControlUI* control : controls)
    if (control == nullptr) return false;
  return true;
}

void RowControls::Show(RowState state) const {
  for (int i = 0; i < kRowRoleCount; ++i)
    controls[i]->SetVisible(kShown[static_cast<int>(state)][i]);
}

}  // namespace downloads
