#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "db/sql.h"

namespace catalogue {

struct UserRecord {
  int64_t id = -1;
  std::string nickname;
  std::string headImgUrl;
};

struct Identity {  // who a sign-in provider says the user is
  std::string provider;
  std::string externalId;
  std::string nickname;
  std::string headImgUrl;
};

// Users and their tokens. Only a hash of each token is stored, so a copied database file does
// not hand out working tokens.
class UserStore {
 public:
  explicit UserStore(SqlConnection& db) : db_(db) {}

  // Creates the user on first sign-in, refreshes nickname and picture afterwards.
  std::optional<UserRecord> upsert(const Identity& who, int64_t now);
  // Returns the new token (256 random bits as hex), or nothing on failure.
  std::optional<std::string> issue_token(int64_t user_id, int64_t now, int64_t lifetime_seconds);
  std::optional<UserRecord> user_for_token(const std::string& token, int64_t now);

 private:
  SqlConnection& db_;
};

}  // namespace catalogue
