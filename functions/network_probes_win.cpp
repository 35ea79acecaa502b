// The probes that go out to the network: name resolution, a plain web request, and a request
// through the configured proxy.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <winhttp.h>

#include <curl/curl.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "functions/network_tools.h"
#include "net/curl_global.h"
#include "platform/text_conversion.h"

#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4
#endif

namespace functions {

namespace {

// The socket layer is started once for the process and left for its exit to release.
bool EnsureSocketsStarted() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    WSADATA data;
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  });
  return started;
}

constexpr size_t kProxyBodyLimit = 1 << 20;

size_t KeepBody(char* data, size_t size, size_t count, void* userData) {
  std::string* body = static_cast<std::string*>(userData);
  size_t bytes = size * count;
  // Only the transfer's success matters; beyond the limit the page is read and not kept.
  if (body->size() < kProxyBodyLimit)
    body->append(data, std::min(bytes, kProxyBodyLimit - body->size()));
  return bytes;
}

class WinHttpHandle {
 public:
  explicit WinHttpHandle(HINTERNET handle) : handle_(handle) {}
  ~WinHttpHandle() {
    if (handle_) WinHttpCloseHandle(handle_);
  }
  WinHttpHandle(const WinHttpHandle&) = delete;
  WinHttpHandle& operator=(const WinHttpHandle&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

}  // namespace

bool NetworkTools::CanResolveNames() {
  if (!EnsureSocketsStarted()) return false;
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (getaddrinfo(probe_.host.c_str(), nullptr, &hints, &found) != 0) return false;
  freeaddrinfo(found);
  return true;
}

bool NetworkTools::CanReachWeb() {
  const wchar_t agent[] = L"A WinHTTP Example Program/1.0";
  HINTERNET opened = WinHttpOpen(agent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                 WINHTTP_NO_PROXY_BYPASS, 0);
  // Before Windows 8.1 the automatic proxy type is refused; the system's default proxy
  // setting is the nearest thing there.
  if (!opened)
    opened = WinHttpOpen(agent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                         WINHTTP_NO_PROXY_BYPASS, 0);
  // Declared in this order, the handles close in the reverse one.
  WinHttpHandle session(opened);
  if (!session.get()) return false;
  WinHttpSetTimeouts(session.get(), kWebTimeoutMs, kWebTimeoutMs, kWebTimeoutMs, kWebTimeoutMs);
  WinHttpHandle connection(WinHttpConnect(
      session.get(), platform::AnsiToWide(probe_.host.c_str()).c_str(), probe_.webPort, 0));
  if (!connection.get()) return false;
  WinHttpHandle request(WinHttpOpenRequest(connection.get(), L"GET", L"/", nullptr,
                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
  if (!request.get()) return false;
  // The wait for the answer's head has a time-out of its own, which the ones above leave
  // unbounded on some systems.
  DWORD responseTimeout = kWebTimeoutMs;
  WinHttpSetOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                   sizeof responseTimeout);
  // Any answer at all, whatever its status, shows that the web can be reached.
  return WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
         WinHttpReceiveResponse(request.get(), nullptr);
}

bool NetworkTools::IsProxyWorking(const std::string& serverText) {
  ProxyEndpoint proxy;
  if (!ParseProxyServer(serverText, proxy)) return false;
  if (!net::EnsureCurlGlobalInit()) return false;
  CURL* curl = curl_easy_init();
  if (!curl) return false;
  std::string url = probe_.proxyProbeUrl.empty() ? "https://" + probe_.host : probe_.proxyProbeUrl;
  std::string body;
  curl_slist* headers = curl_slist_append(nullptr, "Proxy-Connection: Keep-Alive");
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROXY, proxy.host.c_str());
  curl_easy_setopt(curl, CURLOPT_PROXYPORT, static_cast<long>(proxy.port));
  // The system's own clients speak SOCKS version 4 to a "socks=" proxy; the 4a form lets the
  // proxy resolve the name, as the browser's would when local name resolution is the fault.
  if (proxy.socks) curl_easy_setopt(curl, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_SOCKS4A));
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kProxyConnectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, kProxyTotalTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, KeepBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  CURLcode result = curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  curl_slist_free_all(headers);
  return result == CURLE_OK;
}

}  // namespace functions
