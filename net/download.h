#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "net/thread_list.h"
#include "net/transfer_bounds.h"

namespace net {

enum DownloadResult : int { kDownloadSucceeded = 0, kDownloadFailed = 1, kDownloadCancelled = 2 };

// A download list's file may be large and the line slow: hours, but not for ever; one that
// stops coming is given up after a minute. Either way the user continues it from the bytes on
// disk.
constexpr TransferBounds kListDownloadBounds{3, 60, 4 * 60 * 60};

class DownloadListener {
 public:
  // Exactly once per started task: path is the task's path on success, null otherwise.
  virtual void OnDownloadFinished(int result, const std::string* path) = 0;
  // Bytes of this transfer so far and the size the server announced for it; neither counts
  // what this transfer kept of the file on disk (TransferControl::KeptBytes).
  virtual void OnDownloadProgress(double now, double total) = 0;

 protected:
  ~DownloadListener() = default;
};

// One transfer as its starter keeps it: the starter's own stop, and what the download thread
// learnt of the file. Each transfer has its own, so stopping one never touches another.
class TransferControl {
 public:
  void Stop() { stop_ = true; }
  bool StopRequested() const { return stop_; }
  // Set before the first progress report: the bytes of the file on disk that this transfer
  // kept, its resume point, or 0 when it started again from zero.
  long long KeptBytes() const { return kept_; }
  // Whether a response was taken: only then do KeptBytes and Validator speak of the file.
  bool Answered() const { return answered_; }
  // The validator the server gave the file (see ResumeValidator); a resume of the file sends it.
  std::string Validator() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return validator_;
  }
  void Record(long long keptBytes, std::string validator) {
    std::lock_guard<std::mutex> lock(mutex_);
    kept_ = keptBytes;
    validator_ = std::move(validator);
    answered_ = true;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<long long> kept_{0};
  std::atomic<bool> answered_{false};
  mutable std::mutex mutex_;
  std::string validator_;
};

struct DownloadTask {
  std::string url;
  std::string path;  // full path of the target file
  // The file must not exist yet and is created for this transfer alone: a file or link put
  // there by someone else fails the transfer instead of being written through.
  bool createNew = false;
  // For a file already on disk: the validator the server gave with its bytes. The transfer
  // asks for the rest with If-Range; a file without a validator, or one that the server has
  // changed since, is fetched again from zero, and a file that is complete already is done.
  std::string validator;
  TransferBounds bounds = kListDownloadBounds;
  DownloadListener* listener = nullptr;  // not owned; may be null
  std::shared_ptr<TransferControl> control;  // made by StartDownload when none is given
};

// Runs the task on a thread of its own, which owns it.
void StartDownload(ThreadList& threads, std::unique_ptr<DownloadTask> task);

// The body of the download thread; returns the result the listener heard.
int RunDownload(std::unique_ptr<DownloadTask> task);

}  // namespace net
