#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "catalogue_rules/user_info.h"
#include "catalogue_rules/catalogue_records.h"

namespace app {

// The shared, OS-free part of the application context: the signed-in user and the catalogue
// lists. Request threads replace them whole while the UI thread and page workers read them.
//
// A list is handed out as a shared pointer: whoever walks it holds the list it started with,
// so a replacement that lands meanwhile can never change the list under its pass. Pages that
// record their results in the entries in place do so under the entry lock, which readers of
// those fields take too.
class AppState {
 public:
  using ListPtr = std::shared_ptr<net::CatalogueList>;
  using CommonPtr = std::shared_ptr<net::CommonCatalogue>;

  AppState();

  net::UserInfo User() const;
  void SetUser(net::UserInfo user);
  void ResetUser() { SetUser(net::UserInfo()); }

  CommonPtr Common() const;
  ListPtr RuntimeFiles() const;
  ListPtr DxFiles() const;
  ListPtr SystemFiles() const;

  void ReplaceCommon(net::CommonCatalogue common);
  void ReplaceRuntimeFiles(net::CatalogueList list);
  void ReplaceDxFiles(net::CatalogueList list);
  void ReplaceSystemFiles(net::CatalogueList list);

  // Runs f with the entry lock held: for writing or reading the per-entry results
  // (installed, intact, localPath) of a list obtained above.
  template <class F>
  decltype(auto) WithEntries(F&& f) const {
    std::lock_guard<std::mutex> lock(entriesMutex_);
    return std::forward<F>(f)();
  }

  // Written once on the UI thread at start, before any other thread exists.
  std::string exeFileName;
  std::string channel;
  // Whether Windows itself is 64-bit (not this 32-bit program): on 32-bit Windows the runtime
  // entries of the 64-bit packages are left out when the runtime list is stored.
  bool system64Bit = true;

 private:
  template <class T>
  std::shared_ptr<T> Get(const std::shared_ptr<T>& slot) const;
  template <class T>
  void Put(std::shared_ptr<T>& slot, T value);

  mutable std::mutex mutex_;  // guards the fields below (the pointers, not what they point at)
  mutable std::mutex entriesMutex_;
  net::UserInfo user_;
  CommonPtr common_;
  ListPtr runtimeFiles_;
  ListPtr dxFiles_;
  ListPtr systemFiles_;
};

}  // namespace app
