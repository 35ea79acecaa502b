#include "http/client_address.h"

namespace catalogue {
namespace {

bool is_loopback(const std::string& address) { return address.rfind("127.", 0) == 0 || address == "::1"; }

// Digits, hex letters, dots and colons only: one IPv4 or IPv6 address, not a list.
bool is_one_address(const std::string& text) {
  if (text.empty() || text.size() > 45) return false;
  for (char c : text)
    if (!isxdigit(static_cast<unsigned char>(c)) && c != '.' && c != ':') return false;
  return true;
}

}  // namespace

std::string client_address(const httplib::Request& req, const std::string& trusted_header) {
  if (trusted_header.empty() || !is_loopback(req.remote_addr) || req.get_header_value_count(trusted_header) != 1)
    return req.remote_addr;
  std::string forwarded = req.get_header_value(trusted_header);
  return is_one_address(forwarded) ? forwarded : req.remote_addr;
}

}  // namespace catalogue
