#include "users/code_quota.h"

namespace catalogue {

void CodeQuota::forget_expired(int64_t now) {
  for (auto it = issued_.begin(); it != issued_.end();) {
    std::deque<int64_t>& times = it->second;
    while (!times.empty() && times.front() <= now - window_seconds_) times.pop_front();
    it = times.empty() ? issued_.erase(it) : std::next(it);
  }
  last_sweep_ = now;
}

bool CodeQuota::take(const std::string& client, int64_t now) {
  std::lock_guard<std::mutex> lock(mutex_);
  // A whole sweep at most once a second keeps the table to the addresses still in the window
  // without walking it on every request.
  if (now != last_sweep_ && (issued_.size() >= max_clients_ || now - last_sweep_ >= window_seconds_))
    forget_expired(now);
  auto found = issued_.find(client);
  if (found == issued_.end()) {
    if (issued_.size() >= max_clients_) return false;
    found = issued_.emplace(client, std::deque<int64_t>()).first;
  }
  std::deque<int64_t>& times = found->second;
  while (!times.empty() && times.front() <= now - window_seconds_) times.pop_front();
  if (static_cast<int>(times.size()) >= per_client_) return false;
  times.push_back(now);
  return true;
}

void CodeQuota::set_per_client(int per_client) {
  std::lock_guard<std::mutex> lock(mutex_);
  per_client_ = per_client;
}

}  // namespace catalogue
