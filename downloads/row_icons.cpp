#include "downloads/row_icons.h"

#include "ui/win/ui_lock.h"

namespace downloads {

void RowIcons::Start(std::vector<Wanted> wanted, Fetch fetch,
                     std::function<std::string(const net::CatalogueFile&)> iconPathOf,
                     std::function<void()> arrived) {
  Stop();
  stop_ = false;
  if (wanted.empty()) return;
  fetching_ = true;
  worker_ = std::thread([this, wanted = std::move(wanted), fetch = std::move(fetch),
                         iconPathOf = std::move(iconPathOf), arrived = std::move(arrived)] {
    const net::StopQuestion stop = [this] { return stop_.load(); };
    for (const Wanted& one : wanted) {
      if (stop_) break;
      if (!fetch(one.entry, stop)) continue;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        arrivals_.push_back({one.row, iconPathOf(one.entry)});
      }
      arrived();
    }
    fetching_ = false;
  });
}

std::vector<RowIcons::Arrival> RowIcons::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Arrival> taken;
  taken.swap(arrivals_);
  return taken;
}

void RowIcons::Stop() {
  stop_ = true;
  if (!worker_.joinable()) return;
  DuiLib::UiLockSuspension unlocked;
  worker_.join();
}

}  // namespace downloads
