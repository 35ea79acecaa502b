#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "catalogue_rules/catalogue_records.h"
#include "net/transfer_bounds.h"

namespace downloads {

// The list icons that are not in the image folder yet, fetched on a thread of their own so that
// a slow server never holds up the window. Each arrival is told to `arrived` on that thread
// (the page arms its timer there) and taken on the UI thread with Take. Each fetch is bounded;
// the page going stops the one in hand within about a second.
class RowIcons {
 public:
  struct Wanted {
    net::CatalogueFile entry;
    void* row;  // the page's row, handed back with its icon
  };
  struct Arrival {
    void* row;
    std::string iconPath;
  };
  // The entry's icon fetched to iconPath (with its tries); true when it is there.
  using Fetch = std::function<bool(const net::CatalogueFile& entry, const net::StopQuestion& stop)>;

  RowIcons() = default;
  ~RowIcons() { Stop(); }
  RowIcons(const RowIcons&) = delete;
  RowIcons& operator=(const RowIcons&) = delete;

  // Fetches the icons, in order, each to iconPathOf(entry).
  void Start(std::vector<Wanted> wanted, Fetch fetch,
             std::function<std::string(const net::CatalogueFile&)> iconPathOf,
             std::function<void()> arrived);
  // Whether the worker is still at its icons.
  bool Fetching() const { return fetching_; }
  // On the UI thread: the icons that arrived since the last call.
  std::vector<Arrival> Take();
  // Ends the fetch in hand and waits for the worker, with the UI lock let go meanwhile (the
  // worker's `arrived` may need it).
  void Stop();

 private:
  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> fetching_{false};
  std::mutex mutex_;
  std::vector<Arrival> arrivals_;
};

}  // namespace downloads
