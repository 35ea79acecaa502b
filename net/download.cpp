#include "net/download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cstdio>

#include "net/curl_global.h"
#include "net/web_protocols.h"
#include "net/file_sink.h"
#include "net/trusted_peer.h"

namespace net {

namespace {

std::atomic<bool> g_cancelRequested{false};

// Returned when the target file cannot be opened, as libcurl has no code of its own for it.
constexpr int kCannotOpenTarget = 52;

constexpr size_t kReceiveBufferBytes = 512 * 1024;

long long ExistingFileSize(const std::string& path) {
#ifdef _WIN32
  struct _stati64 info;
  if (_stati64(path.c_str(), &info) != 0) return -1;
#else
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return -1;
#endif
  return static_cast<long long>(info.st_size);
}

// Creates the file, failing if anything (a file, a link) is there already.
std::FILE* OpenNewFile(const std::string& path) {
#ifdef _WIN32
  const int fd = _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
  if (fd >= 0 && !file) _close(fd);
#else
  const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
  std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
  if (fd >= 0 && !file) close(fd);
#endif
  return file;
}

size_t WriteToFile(char* data, size_t size, size_t count, void* sink) {
  // Anything but the full count makes libcurl end the transfer with a write error.
  return static_cast<FileSink*>(sink)->Write(data, size * count) ? size * count : 0;
}

int ReportProgress(void* listener, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
  if (g_cancelRequested.load()) return -1;
  if (listener && total > 0 && now > 0)
    static_cast<DownloadListener*>(listener)->OnDownloadProgress(double(now), double(total));
  return 0;
}

int Transfer(const DownloadTask& task) {
  if (!EnsureCurlGlobalInit()) return CURLE_FAILED_INIT;
  CURL* curl = curl_easy_init();
  if (!curl) return CURLE_FAILED_INIT;
  long long resumeFrom = task.createNew ? -1 : ExistingFileSize(task.path);
  std::FILE* file = task.createNew ? OpenNewFile(task.path)
                                   : std::fopen(task.path.c_str(), resumeFrom >= 0 ? "ab+" : "wb");
  if (!file) {
    curl_easy_cleanup(curl);
    return kCannotOpenTarget;
  }
  if (resumeFrom < 0) resumeFrom = 0;
  // libcurl hands the body over in pieces of at most the receive buffer's size, often much
  // less; the sink gathers them into writes of that size, made on its own thread. Whatever the outcome, it
  // writes everything received before the file is closed, so a paused download keeps it all.
  std::setvbuf(file, nullptr, _IONBF, 0);
  FileSink sink(file, kReceiveBufferBytes);

  CURLcode result = CURLE_OK;
  auto set = [&](CURLoption option, auto value) {
    if (result == CURLE_OK) result = curl_easy_setopt(curl, option, value);
  };
  set(CURLOPT_URL, task.url.c_str());
  if (result == CURLE_OK) result = RestrictToWebProtocols(curl, task.url);
  set(CURLOPT_CONNECTTIMEOUT, 3L);
  set(CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(resumeFrom));
  set(CURLOPT_WRITEFUNCTION, WriteToFile);
  set(CURLOPT_WRITEDATA, static_cast<void*>(&sink));
  set(CURLOPT_BUFFERSIZE, static_cast<long>(kReceiveBufferBytes));
  set(CURLOPT_NOPROGRESS, 0L);
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_FOLLOWLOCATION, 1L);
  // An HTTP error page must not end up appended to an installer as if it were its rest.
  set(CURLOPT_FAILONERROR, 1L);
  // The files fetched here are run with administrator rights.
  if (result == CURLE_OK) result = RequireTrustedPeer(curl);
  set(CURLOPT_XFERINFOFUNCTION, ReportProgress);
  set(CURLOPT_XFERINFODATA, static_cast<void*>(task.listener));
  if (result == CURLE_OK) result = curl_easy_perform(curl);
  // The last bytes reach the disk only here: a full disk must not pass for success.
  bool flushed = sink.Finish() && !std::ferror(file);
  std::fclose(file);
  if (result == CURLE_OK && !flushed) result = CURLE_WRITE_ERROR;
  curl_easy_cleanup(curl);
  return result;
}

}  // namespace

int RunDownload(std::unique_ptr<DownloadTask> task) {
  DownloadListener* listener = task->listener;
  if (!listener) return kDownloadFailed;
  if (task->url.empty() || task->path.empty()) {
    listener->OnDownloadFinished(kDownloadFailed, nullptr);
    return kDownloadFailed;
  }
  int code = Transfer(*task);
  int result = code == CURLE_OK                    ? kDownloadSucceeded
               : code == CURLE_ABORTED_BY_CALLBACK ? kDownloadCancelled
                                                   : kDownloadFailed;
  listener->OnDownloadFinished(result, result == kDownloadSucceeded ? &task->path : nullptr);
  return result;
}

void StartDownload(ThreadList& threads, std::unique_ptr<DownloadTask> task) {
  g_cancelRequested.store(false);
  threads.Add(std::thread([owned = std::move(task)]() mutable { RunDownload(std::move(owned)); }));
}

void CancelDownloads() { g_cancelRequested.store(true); }

}  // namespace net
