#pragma once
#include <string>

// Talks to the tests' fixture server (started by scripts/with-fixture-server) directly with
// libcurl, bypassing the workers under test.
namespace test_support {

std::string FixtureUrl(const std::string& pathAndQuery);
std::string TlsFixtureUrl(const std::string& pathAndQuery);  // https, self-signed
// GET without any of the workers' rules; insecure skips certificate checks.
bool FetchDirect(const std::string& url, std::string& body, bool insecure = false);
int FixtureRequestCount();     // requests the fixture has served since the last reset
int FixtureMaxConcurrent();    // most /slow requests in flight at once since the last reset
void ResetFixture();
// Changes the file that /gen/N?v=live serves, as a new release on the server would.
void SetFixtureVersion(long long version);

}  // namespace test_support
