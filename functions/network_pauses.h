#pragma once
#include <chrono>
#include <functional>
#include <thread>

namespace functions {

// The waits of the network check and repair: one before each probe of the check, and the
// settling times after the adapter, DNS and proxy repairs. The program uses these values;
// tests pass a sleep that only records what was asked for.
struct NetworkPauses {
  unsigned stepMs = 1000;
  unsigned adapterMs = 5000;
  unsigned dnsMs = 3000;
  unsigned proxyMs = 2000;
  std::function<void(unsigned ms)> sleep = [](unsigned ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  };
};

}  // namespace functions
