#include "page_machinery/app_state.h"

namespace app {

AppState::AppState()
    : common_(std::make_shared<net::CommonCatalogue>()),
      runtimeFiles_(std::make_shared<net::CatalogueList>()),
      dxFiles_(std::make_shared<net::CatalogueList>()),
      systemFiles_(std::make_shared<net::CatalogueList>()) {}

net::UserInfo AppState::User() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return user_;
}

void AppState::SetUser(net::UserInfo user) {
  std::lock_guard<std::mutex> lock(mutex_);
  user_ = std::move(user);
}

template <class T>
std::shared_ptr<T> AppState::Get(const std::shared_ptr<T>& slot) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return slot;
}

// The new value is built completely before the lock is taken, so the swap is all a reader can
// ever wait for; the old one is freed after the lock is released.
template <class T>
void AppState::Put(std::shared_ptr<T>& slot, T value) {
  auto fresh = std::make_shared<T>(std::move(value));
  std::lock_guard<std::mutex> lock(mutex_);
  slot.swap(fresh);
}

AppState::CommonPtr AppState::Common() const { return Get(common_); }
AppState::ListPtr AppState::RuntimeFiles() const { return Get(runtimeFiles_); }
AppState::ListPtr AppState::DxFiles() const { return Get(dxFiles_); }
AppState::ListPtr AppState::SystemFiles() const { return Get(systemFiles_); }

void AppState::ReplaceCommon(net::CommonCatalogue common) { Put(common_, std::move(common)); }
void AppState::ReplaceRuntimeFiles(net::CatalogueList list) { Put(runtimeFiles_, std::move(list)); }
void AppState::ReplaceDxFiles(net::CatalogueList list) { Put(dxFiles_, std::move(list)); }
void AppState::ReplaceSystemFiles(net::CatalogueList list) { Put(systemFiles_, std::move(list)); }

}  // namespace app
