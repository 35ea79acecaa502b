#include "net/http_request.h"

#include <curl/curl.h>

#include <mutex>

#include "net/curl_global.h"
#include "net/trusted_peer.h"
#include "net/web_protocols.h"

namespace net {

namespace {

std::mutex& RequestLock() {
  static std::mutex lock;
  return lock;
}

size_t AppendToReply(char* data, size_t size, size_t count, void* userData) {
  std::string* reply = static_cast<std::string*>(userData);
  size_t bytes = size * count;
  // Returning less than was offered makes libcurl abort with a write error.
  if (reply->size() + bytes > kMaxReplyBytes) return 0;
  reply->append(data, bytes);
  return bytes;
}

bool Transfer(const HttpRequest& request, std::string& reply) {
  if (!EnsureCurlGlobalInit()) return false;
  CURL* curl = curl_easy_init();
  if (!curl) return false;
  curl_slist* headers = nullptr;
  for (const std::string& line : request.headers) headers = curl_slist_append(headers, line.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  // The catalogue names what the elevated program runs and copies, so its replies are taken
  // only from a server whose certificate is checked as the downloads' are.
  bool prepared = RestrictToWebProtocols(curl, request.url) == CURLE_OK && RequireTrustedPeer(curl) == CURLE_OK;
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendToReply);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
  CURLcode result = prepared ? curl_easy_perform(curl) : CURLE_FAILED_INIT;
  curl_easy_cleanup(curl);
  curl_slist_free_all(headers);
  return result == CURLE_OK;
}

}  // namespace

bool RunRequest(std::unique_ptr<HttpRequest> request) {
  HttpListener* listener = request->listener;
  if (!listener) return false;
  if (request->url.empty()) {
    listener->OnHttpResponse(request->kind, false, nullptr);
    return false;
  }
  // Held across the transfer and the delivery: this is what makes the catalogue chain run
  // one step at a time.
  std::lock_guard<std::mutex> hold(RequestLock());
  std::string reply;
  bool ok = Transfer(*request, reply);
  listener->OnHttpResponse(request->kind, ok, ok ? &reply : nullptr);
  return ok;
}

void StartRequest(ThreadList& threads, std::unique_ptr<HttpRequest> request) {
  threads.Add(std::thread([owned = std::move(request)]() mutable { RunRequest(std::move(owned)); }));
}

}  // namespace net
