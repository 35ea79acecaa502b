#include "net/file_fetch.h"

#include <curl/curl.h>

#include <cstdio>

#include "catalogue_rules/catalogue_rules.h"
#include "net/curl_global.h"
#include "net/trusted_peer.h"
#include "net/web_protocols.h"

namespace net {

namespace {

size_t WriteOut(char* data, size_t size, size_t count, void* file) {
  return std::fwrite(data, 1, size * count, static_cast<std::FILE*>(file));
}

// libcurl calls it about once a second even while nothing arrives, so a stop is heard soon.
int AskToStop(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const StopQuestion& question = *static_cast<const StopQuestion*>(stop);
  return question && question() ? 1 : 0;
}

CURLcode Transfer(CURL* curl, const std::string& url, std::FILE* file, const TransferBounds& bounds,
                  const StopQuestion& stop) {
  CURLcode result = CURLE_OK;
  auto set = [&](CURLoption option, auto value) {
    if (result == CURLE_OK) result = curl_easy_setopt(curl, option, value);
  };
  set(CURLOPT_URL, url.c_str());
  if (result == CURLE_OK) result = RestrictToWebProtocols(curl, url);
  if (result == CURLE_OK) result = RequireTrustedPeer(curl);
  // Vendors' download links redirect (to their download servers, often more than once).
  set(CURLOPT_FOLLOWLOCATION, 1L);
  set(CURLOPT_MAXREDIRS, 10L);
  set(CURLOPT_FAILONERROR, 1L);
  set(CURLOPT_NOSIGNAL, 1L);
  if (result == CURLE_OK) result = ApplyBounds(curl, bounds);
  set(CURLOPT_NOPROGRESS, 0L);
  set(CURLOPT_XFERINFOFUNCTION, AskToStop);
  set(CURLOPT_XFERINFODATA, const_cast<void*>(static_cast<const void*>(&stop)));
  set(CURLOPT_WRITEFUNCTION, WriteOut);
  set(CURLOPT_WRITEDATA, static_cast<void*>(file));
  if (result == CURLE_OK) result = curl_easy_perform(curl);
  return result;
}

}  // namespace

bool FetchFile(const std::string& url, const std::string& path, const TransferBounds& bounds,
               const StopQuestion& stop) {
  if (!IsWebUrl(url) || path.empty() || !EnsureCurlGlobalInit()) return false;
  if (stop && stop()) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  CURL* curl = curl_easy_init();
  const CURLcode result = curl ? Transfer(curl, url, file, bounds, stop) : CURLE_FAILED_INIT;
  if (curl) curl_easy_cleanup(curl);
  // The last bytes reach the disk only here: a full disk must not pass for success.
  const bool written = std::fflush(file) == 0 && !std::ferror(file);
  std::fclose(file);
  if (result == CURLE_OK && written) return true;
  std::remove(path.c_str());
  return false;
}

}  // namespace net
