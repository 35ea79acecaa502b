#pragma once
#include <memory>
#include <string>
#include <vector>

#include "net/thread_list.h"

namespace net {

// Replies larger than this are treated as failed transfers: catalogue replies are small, and
// an endless body must not exhaust the memory of a 32-bit process.
constexpr size_t kMaxReplyBytes = 16 * 1024 * 1024;

class HttpListener {
 public:
  // Runs on the request thread with the process-wide request lock held. ok is true when the
  // transfer completed; body then holds the whole reply (possibly empty) and is null
  // otherwise. The text lives only for the duration of the call.
  virtual void OnHttpResponse(int kind, bool ok, const std::string* body) = 0;

 protected:
  ~HttpListener() = default;
};

struct HttpRequest {
  explicit HttpRequest(int kind) : kind(kind) {}
  int kind;
  std::string url;
  std::vector<std::string> headers;  // complete lines, as "token:" followed by the token
  HttpListener* listener = nullptr;  // not owned; may be null
  // Whatever keeps the listener alive until the request is done with it (a window's reply
  // handler that must outlive the window); released with the request.
  std::shared_ptr<void> keepListener;
};

// Runs the request on a thread of its own, which owns it from now on. Requests of the whole
// process transfer and deliver one at a time, so a listener may start the next request from
// inside its callback and that request waits until the callback has returned.
void StartRequest(ThreadList& threads, std::unique_ptr<HttpRequest> request);

// The body of the request thread; StartRequest runs it. Returns whether the listener heard ok.
bool RunRequest(std::unique_ptr<HttpRequest> request);

}  // namespace net
