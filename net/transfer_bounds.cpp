#include "net/transfer_bounds.h"

namespace net {

CURLcode ApplyBounds(CURL* curl, const TransferBounds& bounds) {
  CURLcode result = curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, bounds.connectSeconds);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, bounds.stallSeconds);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_TIMEOUT, bounds.totalSeconds);
  return result;
}

}  // namespace net
