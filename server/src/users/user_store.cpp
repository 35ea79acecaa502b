#include "users/user_store.h"

#include "util/digests.h"

namespace catalogue {

std::optional<UserRecord> UserStore::upsert(const Identity& who, int64_t now) {
  Statement st = db_.prepare(
      "INSERT INTO users(provider, external_id, nickname, head_img_url, created_at)"
      " VALUES(?1, ?2, ?3, ?4, ?5) ON CONFLICT(provider, external_id)"
      " DO UPDATE SET nickname = excluded.nickname, head_img_url = excluded.head_img_url");
  st.bind(1, who.provider).bind(2, who.externalId).bind(3, who.nickname).bind(4, who.headImgUrl).bind(5, now);
  if (!st.run()) return std::nullopt;
  Statement get = db_.prepare("SELECT id, nickname, head_img_url FROM users WHERE provider = ?1 AND external_id = ?2");
  get.bind(1, who.provider).bind(2, who.externalId);
  if (get.step() != SQLITE_ROW) return std::nullopt;
  return UserRecord{get.int_at(0), get.text_at(1), get.text_at(2)};
}

std::optional<std::string> UserStore::issue_token(int64_t user_id, int64_t now, int64_t lifetime) {
  std::string token = random_hex(32);
  if (token.empty()) return std::nullopt;
  // Sign-ins are rare next to token checks, so expired tokens are swept here.
  db_.prepare("DELETE FROM tokens WHERE expires_at <= ?1").bind(1, now).run();
  Statement st = db_.prepare("INSERT INTO tokens(token_hash, user_id, created_at, expires_at) VALUES(?1, ?2, ?3, ?4)");
  st.bind(1, sha256_hex(token)).bind(2, user_id).bind(3, now).bind(4, now + lifetime);
  if (!st.run()) return std::nullopt;
  return token;
}

std::optional<UserRecord> UserStore::user_for_token(const std::string& token, int64_t now) {
  Statement st = db_.prepare(
      "SELECT u.id, u.nickname, u.head_img_url FROM tokens t JOIN users u ON u.id = t.user_id"
      " WHERE t.token_hash = ?1 AND t.expires_at > ?2");
  st.bind(1, sha256_hex(token)).bind(2, now);
  if (st.step() != SQLITE_ROW) return std::nullopt;
  return UserRecord{st.int_at(0), st.text_at(1), st.text_at(2)};
}

}  // namespace catalogue
