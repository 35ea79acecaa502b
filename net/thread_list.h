#pragma once
#include <cstddef>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace net {

// The handles of the worker threads that a window or page started. Nothing waits for those
// threads: each owns its job and ends by itself, so the list lets them go when it is destroyed.
class ThreadList {
 public:
  ThreadList() = default;
  ThreadList(const ThreadList&) = delete;
  ThreadList& operator=(const ThreadList&) = delete;
  ~ThreadList() {
    for (std::thread& t : threads_)
      if (t.joinable()) t.detach();
  }

  void Add(std::thread thread) {
    std::lock_guard<std::mutex> lock(mutex_);
    threads_.push_back(std::move(thread));
  }

  size_t Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return threads_.size();
  }

  // For tests and orderly shutdown only: waits for every thread started so far.
  void JoinAll() {
    std::vector<std::thread> taken;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      taken.swap(threads_);
    }
    for (std::thread& t : taken)
      if (t.joinable()) t.join();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::thread> threads_;
};

}  // namespace net
