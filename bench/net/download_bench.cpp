// download_bench URL PATH: one download through the download worker; prints the seconds the
// transfer took and its throughput. The target file is removed first so the whole body moves.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "net/download.h"

namespace {

class WaitForFinish : public net::DownloadListener {
 public:
  void OnDownloadFinished(int result, const std::string*) override {
    std::lock_guard<std::mutex> lock(mutex_);
    result_ = result;
    done_.notify_all();
  }
  void OnDownloadProgress(double now, double) override { bytes_ = now; }
  int Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return result_ >= 0; });
    return result_;
  }
  double bytes() const { return bytes_; }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  int result_ = -1;
  double bytes_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: download_bench URL PATH\n");
    return 2;
  }
  std::remove(argv[2]);
  WaitForFinish listener;
  auto task = std::make_unique<net::DownloadTask>();
  task->url = argv[1];
  task->path = argv[2];
  task->listener = &listener;
  net::ThreadList threads;
  auto started = std::chrono::steady_clock::now();
  net::StartDownload(threads, std::move(task));
  int result = listener.Wait();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  threads.JoinAll();
  std::printf("result %d seconds %.3f MiB/s %.1f\n", result, seconds, listener.bytes() / seconds / 1048576.0);
  return result;
}
