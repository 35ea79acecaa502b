#include "users/login_codes.h"

#include "util/digests.h"

namespace catalogue {

std::optional<std::string> LoginCodes::issue(const std::string& channel, const std::string& mac, int64_t now) {
  // An expired code answers like an unknown one, so it is dropped as soon as it expires.
  db_.prepare("DELETE FROM login_codes WHERE expires_at <= ?1").bind(1, now).run();
  Statement live = db_.prepare("SELECT count(*) FROM login_codes");
  if (live.step() != SQLITE_ROW || static_cast<size_t>(live.int_at(0)) >= max_live) return std::nullopt;
  std::string code = random_hex(16);
  if (code.empty()) return std::nullopt;
  Statement st = db_.prepare(
      "INSERT INTO login_codes(login_code, channel, mac, created_at, expires_at) VALUES(?1, ?2, ?3, ?4, ?5)");
  st.bind(1, code).bind(2, channel).bind(3, mac).bind(4, now).bind(5, now + lifetime_seconds);
  if (!st.run()) return std::nullopt;
  return code;
}

bool LoginCodes::is_live(const std::string& login_code, int64_t now) {
  Statement st = db_.prepare("SELECT 1 FROM login_codes WHERE login_code = ?1 AND used = 0 AND expires_at > ?2");
  st.bind(1, login_code).bind(2, now);
  return st.step() == SQLITE_ROW;
}

std::optional<std::string> LoginCodes::approve(const std::string& login_code, int64_t now) {
  std::string grant = random_hex(16);
  if (grant.empty()) return std::nullopt;
  Statement st = db_.prepare(
      "UPDATE login_codes SET grant_code = ?1 WHERE login_code = ?2 AND used = 0 AND expires_at > ?3");
  st.bind(1, grant).bind(2, login_code).bind(3, now);
  if (!st.run() || db_.changes() != 1) return std::nullopt;
  return grant;
}

std::optional<ConsumedCode> LoginCodes::consume(const std::string& login_code, int64_t now) {
  Statement mark = db_.prepare("UPDATE login_codes SET used = 1 WHERE login_code = ?1 AND used = 0 AND expires_at > ?2");
  mark.bind(1, login_code).bind(2, now);
  if (!mark.run() || db_.changes() != 1) return std::nullopt;
  Statement get = db_.prepare("SELECT channel, mac, grant_code FROM login_codes WHERE login_code = ?1");
  get.bind(1, login_code);
  if (get.step() != SQLITE_ROW) return std::nullopt;
  return ConsumedCode{get.text_at(0), get.text_at(1), get.text_at(2)};
}

}  // namespace catalogue
