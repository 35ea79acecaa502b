#pragma once
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>

#include "catalogue/catalogue_store.h"
#include "db/sqlite_db.h"
#include "users/login_codes.h"
#include "users/user_store.h"

namespace catalogue {

// The one database connection and the stores over it. Every use holds `mutex`, so a store's
// statement and the changes() count that follows it cannot interleave with another request's.
struct ServerState {
  explicit ServerState(const std::string& db_path) : db(db_path) {}

  std::mutex mutex;
  Database db;
  CatalogueStore catalogue{db};
  UserStore users{db};
  LoginCodes login_codes{db};
  std::string public_base;  // e.g. http://127.0.0.1:8080, no trailing slash
  std::function<int64_t()> clock = [] { return static_cast<int64_t>(time(nullptr)); };
};

}  // namespace catalogue
