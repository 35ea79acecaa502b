#include "users/user_store.h"

#include "util/digests.h"

namespace catalogue {

std::optional<UserRecord> UserStore::upsert(const Identity& who, int64_t now) {
  SqlResult r;
  if (!db_.run("INSERT INTO users(provider, external_id, nickname, head_img_url, created_at)"
               " VALUES($1, $2, $3, $4, $5) ON CONFLICT(provider, external_id)"
               " DO UPDATE SET nickname = excluded.nickname, head_img_url = excluded.head_img_url"
               " RETURNING id, nickname, head_img_url",
               {who.provider, who.externalId, who.nickname, who.headImgUrl, now}, &r) ||
      r.empty())
    return std::nullopt;
  return UserRecord{r.int_at(0, 0), r.text_at(0, 1), r.text_at(0, 2)};
}

std::optional<std::string> UserStore::issue_token(int64_t user_id, int64_t now, int64_t lifetime) {
  std::string token = random_hex(32);
  if (token.empty()) return std::nullopt;
  // Sign-ins are rare next to token checks, so expired tokens are swept here.
  db_.run("DELETE FROM tokens WHERE expires_at <= $1", {now});
  if (!db_.run("INSERT INTO tokens(token_hash, user_id, created_at, expires_at) VALUES($1, $2, $3, $4)",
               {sha256_hex(token), user_id, now, now + lifetime}))
    return std::nullopt;
  return token;
}

std::optional<UserRecord> UserStore::user_for_token(const std::string& token, int64_t now) {
  SqlResult r;
  if (!db_.run("SELECT u.id, u.nickname, u.head_img_url FROM tokens t JOIN users u ON u.id = t.user_id"
               " WHERE t.token_hash = $1 AND t.expires_at > $2",
               {sha256_hex(token), now}, &r) ||
      r.empty())
    return std::nullopt;
  return UserRecord{r.int_at(0, 0), r.text_at(0, 1), r.text_at(0, 2)};
}

}  // namespace catalogue
