#pragma once
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace catalogue {

// Sign-in codes are made for anyone who asks, and the store holds only so many live ones; this
// keeps one client address from using that cap up for everybody. Each instance counts the codes
// it made in the last `window_seconds` per address; with N instances behind one proxy a client
// gets at most N times its share, still far below the store's cap.
class CodeQuota {
 public:
  static constexpr int default_per_client = 20;
  // Addresses are remembered only while they have codes in the window; beyond this many at once
  // (a flood from many addresses) new addresses are refused until the window moves on.
  static constexpr size_t default_max_clients = 100000;

  explicit CodeQuota(int64_t window_seconds, int per_client = default_per_client,
                     size_t max_clients = default_max_clients)
      : window_seconds_(window_seconds), per_client_(per_client), max_clients_(max_clients) {}

  // Counts one code for the address and answers true, or answers false if the address has had
  // its share within the window.
  bool take(const std::string& client, int64_t now);
  void set_per_client(int per_client);

 private:
  void forget_expired(int64_t now);

  std::mutex mutex_;
  int64_t window_seconds_;
  int per_client_;
  size_t max_clients_;
  std::unordered_map<std::string, std::deque<int64_t>> issued_;
  int64_t last_sweep_ = 0;
};

}  // namespace catalogue
