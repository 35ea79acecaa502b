#include "users/login_codes.h"

#include "util/digests.h"

namespace catalogue {

std::optional<std::string> LoginCodes::issue(const std::string& channel, const std::string& mac, int64_t now) {
  // An expired code answers like an unknown one, so it is dropped as soon as it expires.
  db_.run("DELETE FROM login_codes WHERE expires_at <= $1", {now});
  SqlResult live;
  if (!db_.run("SELECT count(*) FROM login_codes", live) || live.empty() || live.int_at(0, 0) >= max_live_)
    return std::nullopt;
  std::string code = random_hex(16);
  if (code.empty()) return std::nullopt;
  if (!db_.run("INSERT INTO login_codes(login_code, channel, mac, created_at, expires_at) VALUES($1, $2, $3, $4, $5)",
               {code, channel, mac, now, now + lifetime_seconds}))
    return std::nullopt;
  return code;
}

bool LoginCodes::is_live(const std::string& login_code, int64_t now) {
  SqlResult r;
  return db_.run("SELECT 1 FROM login_codes WHERE login_code = $1 AND used = 0 AND expires_at > $2", {login_code, now}, &r) &&
         !r.empty();
}

std::optional<std::string> LoginCodes::approve(const std::string& login_code, int64_t now) {
  std::string grant = random_hex(16);
  if (grant.empty()) return std::nullopt;
  SqlResult r;
  if (!db_.run("UPDATE login_codes SET grant_code = $1 WHERE login_code = $2 AND used = 0 AND expires_at > $3",
               {grant, login_code, now}, &r) ||
      r.affected != 1)
    return std::nullopt;
  return grant;
}

std::optional<ConsumedCode> LoginCodes::consume(const std::string& login_code, int64_t now) {
  SqlResult r;
  if (!db_.run("UPDATE login_codes SET used = 1 WHERE login_code = $1 AND used = 0 AND expires_at > $2"
               " RETURNING channel, mac, grant_code",
               {login_code, now}, &r) ||
      r.empty())
    return std::nullopt;
  return ConsumedCode{r.text_at(0, 0), r.text_at(0, 1), r.text_at(0, 2)};
}

}  // namespace catalogue
