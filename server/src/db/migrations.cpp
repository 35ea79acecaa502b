#include "db/migrations.h"

#include <string>
#include <vector>

namespace catalogue {
namespace {

// Step n takes a database from version n to n + 1. Never edit a released step; add one.
const std::vector<const char*>& steps() {
  static const std::vector<const char*> all = {
      // 0 -> 1: the catalogue itself.
      "CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
      "CREATE TABLE entries("
      " list TEXT NOT NULL CHECK(list IN ('common','runtime','dx','system')),"
      " id INTEGER NOT NULL, position INTEGER NOT NULL,"
      " status INTEGER NOT NULL, type INTEGER NOT NULL DEFAULT 0,"
      " download_url TEXT NOT NULL, img_url TEXT NOT NULL DEFAULT '',"
      " file_name TEXT NOT NULL, file_md5 TEXT NOT NULL DEFAULT '', memo TEXT NOT NULL DEFAULT '',"
      " regedit_name TEXT NOT NULL DEFAULT '', silent_param TEXT NOT NULL DEFAULT '',"
      " game_repair INTEGER NOT NULL DEFAULT 0, system_bit INTEGER NOT NULL DEFAULT 0,"
      " file_path TEXT NOT NULL DEFAULT '', is_key INTEGER NOT NULL DEFAULT 0,"
      " PRIMARY KEY(list, id));",
      // 1 -> 2: sign-in.
      "CREATE TABLE users(id INTEGER PRIMARY KEY, provider TEXT NOT NULL,"
      " external_id TEXT NOT NULL, nickname TEXT NOT NULL DEFAULT '',"
      " head_img_url TEXT NOT NULL DEFAULT '', created_at INTEGER NOT NULL,"
      " UNIQUE(provider, external_id));"
      "CREATE TABLE tokens(token_hash TEXT PRIMARY KEY,"
      " user_id INTEGER NOT NULL REFERENCES users(id), created_at INTEGER NOT NULL,"
      " expires_at INTEGER NOT NULL);"
      "CREATE TABLE login_codes(login_code TEXT PRIMARY KEY, channel TEXT NOT NULL,"
      " mac TEXT NOT NULL, created_at INTEGER NOT NULL, expires_at INTEGER NOT NULL,"
      " grant_code TEXT NOT NULL DEFAULT '', used INTEGER NOT NULL DEFAULT 0);"
      "CREATE INDEX login_codes_by_expiry ON login_codes(expires_at);",
      // 2 -> 3: where the import finds a copy of a file that is downloaded from elsewhere.
      "ALTER TABLE entries ADD COLUMN md5_source TEXT NOT NULL DEFAULT '';",
  };
  return all;
}

bool set_version(Database& db, int version) {
  // PRAGMA takes no bound parameters; the value is our own integer, never input.
  std::string sql = "PRAGMA user_version=" + std::to_string(version);
  return db.exec(sql.c_str());
}

}  // namespace

int current_schema_version() { return static_cast<int>(steps().size()); }

int schema_version(Database& db) {
  Statement st = db.prepare("PRAGMA user_version");
  return st.step() == SQLITE_ROW ? static_cast<int>(st.int_at(0)) : -1;
}

std::string migrate_to(Database& db, int target) {
  // The server and an admin command may open a new database at the same moment; reading the
  // version inside the write transaction makes the second one see the first one's work.
  for (;;) {
    Transaction tx(db);
    if (!tx.ok()) return "cannot begin migration: " + db.last_error();
    int version = schema_version(db);
    if (version < 0) return "cannot read the schema version: " + db.last_error();
    if (version > current_schema_version())
      return "database schema version " + std::to_string(version) + " is newer than this server (" +
             std::to_string(current_schema_version()) + ")";
    if (version >= target) return std::string();
    if (!db.exec(steps()[static_cast<size_t>(version)]) || !set_version(db, version + 1))
      return "migration to version " + std::to_string(version + 1) + " failed: " + db.last_error();
    if (!tx.commit()) return "cannot commit migration: " + db.last_error();
  }
}

std::string migrate(Database& db) { return migrate_to(db, current_schema_version()); }

}  // namespace catalogue
