#include "app/app_state.h"

namespace app {

AppState::AppState()
    : common_(std::make_shared<net::CommonCatalogue>()),
      runtimeFiles_(std::make_shared<net::CatalogueList>()),
      dxFiles_(std::make_shared<net::CatalogueList>()),
      systemFiles_(std::make_shared<net::CatalogueList>()) {}

UserInfo AppState::User() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return user_;
}

void AppState::SetUser(UserInfo user) {
  std::lock_guard<std::mutex> lock(mutex_);
  user_ = std::move(user);
}

AppState::CommonPtr AppState::Common() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return common_;
}

AppState::ListPtr AppState::RuntimeFiles() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return runtimeFiles_;
}

AppState::ListPtr AppState::DxFiles() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return dxFiles_;
}

AppState::ListPtr AppState::SystemFiles() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return systemFiles_;
}

// The new list is built completely before the lock is taken, so the swap is all a reader can
// ever wait for.
void AppState::ReplaceCommon(net::CommonCatalogue common) {
  auto fresh = std::make_shared<net::CommonCatalogue>(std::move(common));
  std::lock_guard<std::mutex> lock(mutex_);
  common_.swap(fresh);
}

void AppState::ReplaceRuntimeFiles(net::CatalogueList list) {
  auto fresh = std::make_shared<net::CatalogueList>(std::move(list));
  std::lock_guard<std::mutex> lock(mutex_);
  runtimeFiles_.swap(fresh);
}

void AppState::ReplaceDxFiles(net::CatalogueList list) {
  auto fresh = std::make_shared<net::CatalogueList>(std::move(list));
  std::lock_guard<std::mutex> lock(mutex_);
  dxFiles_.swap(fresh);
}

void AppState::ReplaceSystemFiles(net::CatalogueList list) {
  auto fresh = std::make_shared<net::CatalogueList>(std::move(list));
  std::lock_guard<std::mutex> lock(mutex_);
  systemFiles_.swap(fresh);
}

}  // namespace app
