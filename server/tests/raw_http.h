#pragma once
#include <string>

namespace catalogue_test {

// Sends `request` as raw bytes on a fresh loopback connection and returns what came back
// (empty if nothing did), so tests can send what no well-behaved client would.
std::string raw_exchange(int port, const std::string& request);
// The status code of a raw response, or 0.
int raw_status(const std::string& response);

}  // namespace catalogue_test
