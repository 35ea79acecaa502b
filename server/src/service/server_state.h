#pragma once
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>

#include "db/connection_pool.h"
#include "users/code_quota.h"
#include "users/login_codes.h"

namespace catalogue {

// What the request handlers share: the store's connections and the server's settings. The
// stores are opened over a leased connection for the length of one request.
struct ServerState {
  ServerState(const std::string& db, size_t connections) : pool(db, connections) {}

  ConnectionPool pool;
  std::string public_base;  // e.g. http://127.0.0.1:8080, no trailing slash
  std::atomic<int64_t> max_live_codes{LoginCodes::default_max_live};
  CodeQuota code_quota{LoginCodes::lifetime_seconds};
  // Set behind a reverse proxy: the header on the proxy's requests that names the client.
  std::string client_address_header;

  int64_t now() const {
    std::lock_guard<std::mutex> lock(clock_mutex_);
    return clock_();
  }
  // Tests swap the clock while requests run.
  void set_clock(std::function<int64_t()> clock) {
    std::lock_guard<std::mutex> lock(clock_mutex_);
    clock_ = std::move(clock);
  }

 private:
  mutable std::mutex clock_mutex_;
  std::function<int64_t()> clock_ = [] { return static_cast<int64_t>(time(nullptr)); };
};

}  // namespace catalogue
