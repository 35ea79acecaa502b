#include "db/migrations.h"

#include <string>
#include <vector>

#include "db/schema_steps.h"

namespace catalogue {
namespace {

// SQLite keeps the version in the file header; PostgreSQL in a table of its own, created by
// the first migration and read under an advisory lock, so that instances starting together
// migrate one after the other.
constexpr const char* pg_version_table = "CREATE TABLE IF NOT EXISTS schema_version(version INTEGER NOT NULL)";
constexpr const char* pg_migration_lock = "SELECT pg_advisory_xact_lock(7366736)";

bool set_version(SqlConnection& db, int version) {
  if (db.dialect() == SqlDialect::sqlite) {
    // PRAGMA takes no bound parameters; the value is our own integer, never input.
    std::string sql = "PRAGMA user_version=" + std::to_string(version);
    return db.exec(sql.c_str());
  }
  return db.run("DELETE FROM schema_version", {}) &&
         db.run("INSERT INTO schema_version(version) VALUES($1)", {static_cast<int64_t>(version)});
}

}  // namespace

int current_schema_version() { return static_cast<int>(schema_steps(SqlDialect::sqlite).size()); }

int schema_version(SqlConnection& db) {
  SqlResult r;
  if (db.dialect() == SqlDialect::sqlite) {
    if (!db.run("PRAGMA user_version", r) || r.empty()) return -1;
  } else {
    if (!db.run("SELECT to_regclass('schema_version') IS NOT NULL", r) || r.empty()) return -1;
    if (r.text_at(0, 0) != "t") return 0;
    if (!db.run("SELECT coalesce(max(version), 0) FROM schema_version", r) || r.empty()) return -1;
  }
  return static_cast<int>(r.int_at(0, 0));
}

std::string migrate_to(SqlConnection& db, int target) {
  const std::vector<const char*>& steps = schema_steps(db.dialect());
  // The server and an admin command may open a new database at the same moment; reading the
  // version inside the write transaction makes the second one see the first one's work.
  for (;;) {
    Transaction tx(db);
    if (!tx.ok()) return "cannot begin migration: " + db.last_error();
    if (db.dialect() == SqlDialect::postgresql && (!db.exec(pg_migration_lock) || !db.exec(pg_version_table)))
      return "cannot lock the schema: " + db.last_error();
    int version = schema_version(db);
    if (version < 0) return "cannot read the schema version: " + db.last_error();
    if (version > current_schema_version())
      return "database schema version " + std::to_string(version) + " is newer than this server (" +
             std::to_string(current_schema_version()) + ")";
    if (version >= target) return std::string();
    if (!db.exec(steps[static_cast<size_t>(version)]) || !set_version(db, version + 1))
      return "migration to version " + std::to_string(version + 1) + " failed: " + db.last_error();
    if (!tx.commit()) return "cannot commit migration: " + db.last_error();
  }
}

std::string migrate(SqlConnection& db) { return migrate_to(db, current_schema_version()); }

}  // namespace catalogue
