#pragma once
#include <memory>
#include <string>

#include "net/thread_list.h"

namespace net {

enum DownloadResult : int { kDownloadSucceeded = 0, kDownloadFailed = 1, kDownloadCancelled = 2 };

class DownloadListener {
 public:
  // Exactly once per started task: path is the task's path on success, null otherwise.
  virtual void OnDownloadFinished(int result, const std::string* path) = 0;
  // Bytes of this transfer so far and the size the server announced for it; neither counts
  // what was already on disk before a resumed transfer began.
  virtual void OnDownloadProgress(double now, double total) = 0;

 protected:
  ~DownloadListener() = default;
};

struct DownloadTask {
  std::string url;
  std::string path;  // full path of the target file; an existing file is resumed from its end
  // The file must not exist yet and is created for this transfer alone: a file or link put
  // there by someone else fails the transfer instead of being written through.
  bool createNew = false;
  DownloadListener* listener = nullptr;  // not owned; may be null
};

// Clears a pending cancel request and runs the task on a thread of its own, which owns it.
void StartDownload(ThreadList& threads, std::unique_ptr<DownloadTask> task);

// Pauses every running download of the process, whichever page started it; the partial files
// stay, and starting the same task again resumes them.
void CancelDownloads();

// The body of the download thread; returns the result the listener heard.
int RunDownload(std::unique_ptr<DownloadTask> task);

}  // namespace net
