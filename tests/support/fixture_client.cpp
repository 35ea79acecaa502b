#include "fixture_client.h"

#include <curl/curl.h>

#include <cstdlib>

#include "platform/text_number.h"

namespace test_support {

namespace {

std::string Port(const char* variable) {
  const char* port = std::getenv(variable);
  return port ? port : "1";
}

size_t Append(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

int StatsNumber(const std::string& key) {
  std::string body;
  if (!FetchDirect(FixtureUrl("/stats"), body)) return -1;
  size_t at = body.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : platform::TextToInt(body.substr(at + key.size() + 3));
}

}  // namespace

std::string FixtureUrl(const std::string& pathAndQuery) {
  return "http://127.0.0.1:" + Port("FIXTURE_PORT") + pathAndQuery;
}

std::string TlsFixtureUrl(const std::string& pathAndQuery) {
  return "https://127.0.0.1:" + Port("FIXTURE_TLS_PORT") + pathAndQuery;
}

bool FetchDirect(const std::string& url, std::string& body, bool insecure) {
  CURL* curl = curl_easy_init();
  if (!curl) return false;
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Append);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
  if (insecure) {
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
  }
  CURLcode result = curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  return result == CURLE_OK;
}

int FixtureRequestCount() { return StatsNumber("requests"); }
int FixtureMaxConcurrent() { return StatsNumber("maxConcurrent"); }

void ResetFixture() {
  std::string ignored;
  FetchDirect(FixtureUrl("/reset"), ignored);
}

void SetFixtureVersion(long long version) {
  std::string ignored;
  FetchDirect(FixtureUrl("/version?set=" + std::to_string(version)), ignored);
}

}  // namespace test_support
