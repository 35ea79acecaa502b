#include "net/curl_global.h"

#include <curl/curl.h>

#include <mutex>

namespace net {

bool EnsureCurlGlobalInit() {
  static std::once_flag once;
  static CURLcode result = CURLE_FAILED_INIT;
  std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_ALL); });
  return result == CURLE_OK;
}

}  // namespace net
