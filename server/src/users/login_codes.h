#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "db/sql.h"

namespace catalogue {

struct ConsumedCode {
  std::string channel;
  std::string mac;
  std::string grantCode;  // set by the demo provider's approval; empty otherwise
};

// The sign-in codes that tie a QR page to the program window that asked for it.
class LoginCodes {
 public:
  static constexpr int64_t lifetime_seconds = 300;

  // Codes are made by an unauthenticated request, so their number is capped: beyond it the
  // sign-in page is refused until codes expire, instead of the database growing without end.
  static constexpr int64_t default_max_live = 10000;

  explicit LoginCodes(SqlConnection& db, int64_t max_live = default_max_live) : db_(db), max_live_(max_live) {}

  std::optional<std::string> issue(const std::string& channel, const std::string& mac, int64_t now);
  // True while the code is known, unexpired and unused.
  bool is_live(const std::string& login_code, int64_t now);
  // Records an approval on a live code and returns the grant, or nothing.
  std::optional<std::string> approve(const std::string& login_code, int64_t now);
  // Marks a live code used in one statement, so that two exchanges with one code cannot both
  // win, on one instance or on two sharing a database.
  std::optional<ConsumedCode> consume(const std::string& login_code, int64_t now);

 private:
  SqlConnection& db_;
  int64_t max_live_;
};

}  // namespace catalogue
