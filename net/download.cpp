#include "net/download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdio>

#include "net/curl_global.h"
#include "net/file_sink.h"
#include "net/http_ranges.h"
#include "net/trusted_peer.h"
#include "net/web_protocols.h"

namespace net {

namespace {

// Returned when the target file cannot be opened, as libcurl has no code of its own for it.
constexpr int kCannotOpenTarget = 52;
// The bytes on disk do not fit the file the server has now (416 for a range that the file
// does not reach): the transfer goes again from zero.
constexpr int kStartAgainFromZero = -1;

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

// Empties a file opened for appending; the next write goes to its start.
bool Truncate(std::FILE* file) {
#ifdef _WIN32
  return _chsize_s(_fileno(file), 0) == 0;
#else
  return ftruncate(fileno(file), 0) == 0;
#endif
}

// A header of the last response (after redirects), or empty.
std::string Header(CURL* curl, const char* name) {
  struct curl_header* header = nullptr;
  if (curl_easy_header(curl, name, 0, CURLH_HEADER, -1, &header) != CURLHE_OK || !header) return "";
  return header->value ? header->value : "";
}

long ResponseCode(CURL* curl) {
  long code = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
  return code;
}

// One transfer of a task: the file, where it resumes, and what the response made of them.
struct Transfer {
  CURL* curl = nullptr;
  std::FILE* file = nullptr;
  FileSink* sink = nullptr;
  long long offset = 0;  // the resume point asked for; 0 for none
  std::string validator;  // sent with the resume point
  TransferControl* control = nullptr;
  DownloadListener* listener = nullptr;

  enum class Response { kUnseen, kBody, kRangeNotSatisfiable, kRefused };
  Response response = Response::kUnseen;

  // The final response's status line and headers decide what becomes of the bytes on disk.
  Response Judge() {
    const long code = ResponseCode(curl);
    if (code == 416) return Response::kRangeNotSatisfiable;
    if (code == 206 && offset > 0 && ContentRangeStart(Header(curl, "Content-Range")) == offset) {
      control->Record(offset, ResumeValidator(Header(curl, "ETag"), Header(curl, "Last-Modified")));
      return Response::kBody;
    }
    // The whole file: the server has another one than the bytes on disk came from, or knew no
    // validator to compare. It replaces them.
    if (code == 200 && (offset == 0 || Truncate(file))) {
      offset = 0;
      control->Record(0, ResumeValidator(Header(curl, "ETag"), Header(curl, "Last-Modified")));
      return Response::kBody;
    }
    // An error page is no part of an installer; nor is a range the transfer did not ask for.
    return Response::kRefused;
  }
};

size_t WriteToFile(char* data, size_t size, size_t count, void* state) {
  Transfer& transfer = *static_cast<Transfer*>(state);
  if (transfer.response == Transfer::Response::kUnseen) transfer.response = transfer.Judge();
  switch (transfer.response) {
    case Transfer::Response::kBody:
      // Anything but the full count makes libcurl end the transfer with a write error.
      return transfer.sink->Write(data, size * count) ? size * count : 0;
    case Transfer::Response::kRangeNotSatisfiable:
      return size * count;  // its body says nothing we keep
    default:
      return 0;
  }
}

int ReportProgress(void* state, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
  Transfer& transfer = *static_cast<Transfer*>(state);
  if (transfer.control->StopRequested()) return -1;
  if (transfer.response == Transfer::Response::kBody && transfer.listener && total > 0 && now > 0)
    transfer.listener->OnDownloadProgress(double(now), double(total));
  return 0;
}

// What a transfer that ended without error came to, from its last response.
int Conclude(Transfer& transfer) {
  if (transfer.response == Transfer::Response::kUnseen) transfer.response = transfer.Judge();
  switch (transfer.response) {
    case Transfer::Response::kBody:
      return CURLE_OK;
    case Transfer::Response::kRangeNotSatisfiable:
      // Nothing is left to fetch: the file on disk is the whole file the validator names.
      if (transfer.offset > 0 &&
          ContentRangeLength(Header(transfer.curl, "Content-Range")) == transfer.offset) {
        transfer.control->Record(transfer.offset, transfer.validator);
        return CURLE_OK;
      }
      return kStartAgainFromZero;
    default:
      return CURLE_HTTP_RETURNED_ERROR;
  }
}

int RunTransfer(const DownloadTask& task, bool fromZero) {
  if (!EnsureCurlGlobalInit()) return CURLE_FAILED_INIT;
  CURL* curl = curl_easy_init();
  if (!curl) return CURLE_FAILED_INIT;
  Transfer transfer;
  transfer.curl = curl;
  transfer.control = task.control.get();
  transfer.listener = task.listener;
  // Bytes on disk are resumed only with a validator that can vouch they are this file's start.
  const long long onDisk = task.createNew ? -1 : ExistingFileSize(task.path);
  if (!fromZero && onDisk > 0 && !task.validator.empty()) {
    transfer.offset = onDisk;
    transfer.validator = task.validator;
  }
  transfer.file = task.createNew ? OpenNewFile(task.path)
                                 : std::fopen(task.path.c_str(), transfer.offset > 0 ? "ab" : "wb");
  if (!transfer.file) {
    curl_easy_cleanup(curl);
    return kCannotOpenTarget;
  }
  // libcurl hands the body over in pieces of at most the receive buffer's size, often much
  // less; the sink gathers them into writes of that size, made on its own thread. Whatever the
  // outcome, it writes everything received before the file is closed, so a paused download
  // keeps it all.
  std::setvbuf(transfer.file, nullptr, _IONBF, 0);
  FileSink sink(transfer.file, kReceiveBufferBytes);
  transfer.sink = &sink;
  const std::string range = std::to_string(transfer.offset) + "-";
  const std::string ifRange = "If-Range: " + transfer.validator;
  curl_slist* headers = transfer.offset > 0 ? curl_slist_append(nullptr, ifRange.c_str()) : nullptr;

  CURLcode result = CURLE_OK;
  auto set = [&](CURLoption option, auto value) {
    if (result == CURLE_OK) result = curl_easy_setopt(curl, option, value);
  };
  set(CURLOPT_URL, task.url.c_str());
  if (result == CURLE_OK) result = RestrictToWebProtocols(curl, task.url);
  if (result == CURLE_OK) result = ApplyBounds(curl, task.bounds);
  if (transfer.offset > 0) {
    if (!headers) result = CURLE_OUT_OF_MEMORY;
    set(CURLOPT_RANGE, range.c_str());
    set(CURLOPT_HTTPHEADER, headers);
  }
  set(CURLOPT_WRITEFUNCTION, WriteToFile);
  set(CURLOPT_WRITEDATA, static_cast<void*>(&transfer));
  set(CURLOPT_BUFFERSIZE, static_cast<long>(kReceiveBufferBytes));
  set(CURLOPT_NOPROGRESS, 0L);
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_FOLLOWLOCATION, 1L);
  // The files fetched here are run with administrator rights.
  if (result == CURLE_OK) result = RequireTrustedPeer(curl);
  set(CURLOPT_XFERINFOFUNCTION, ReportProgress);
  set(CURLOPT_XFERINFODATA, static_cast<void*>(&transfer));
  int code = result;
  if (result == CURLE_OK) {
    result = curl_easy_perform(curl);
    code = result == CURLE_OK ? Conclude(transfer) : result;
  }
  // The last bytes reach the disk only here: a full disk must not pass for success.
  const bool flushed = sink.Finish() && !std::ferror(transfer.file);
  std::fclose(transfer.file);
  if (code == CURLE_OK && !flushed) code = CURLE_WRITE_ERROR;
  curl_easy_cleanup(curl);
  curl_slist_free_all(headers);
  return code;
}

}  // namespace

int RunDownload(std::unique_ptr<DownloadTask> task) {
  DownloadListener* listener = task->listener;
  if (!listener) return kDownloadFailed;
  if (task->url.empty() || task->path.empty()) {
    listener->OnDownloadFinished(kDownloadFailed, nullptr);
    return kDownloadFailed;
  }
  if (!task->control) task->control = std::make_shared<TransferControl>();
  int code = RunTransfer(*task, false);
  if (code == kStartAgainFromZero) code = RunTransfer(*task, true);
  const int result = code == CURLE_OK                    ? kDownloadSucceeded
                     : code == CURLE_ABORTED_BY_CALLBACK ? kDownloadCancelled
                                                         : kDownloadFailed;
  listener->OnDownloadFinished(result, result == kDownloadSucceeded ? &task->path : nullptr);
  return result;
}

void StartDownload(ThreadList& threads, std::unique_ptr<DownloadTask> task) {
  if (!task->control) task->control = std::make_shared<TransferControl>();
  threads.Add(std::thread([owned = std::move(task)]() mutable { RunDownload(std::move(owned)); }));
}

}  // namespace net
