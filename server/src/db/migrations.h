#pragma once
#include <string>

#include "db/sqlite_db.h"

namespace catalogue {

// The schema version this build writes. A database from a newer build is refused rather than
// half-understood.
int current_schema_version();
int schema_version(Database& db);

// Brings the database up to current_schema_version(), each step in its own transaction.
// Returns an empty string on success, otherwise the reason.
std::string migrate(Database& db);

// Only for tests that need an older database: applies the steps up to `version`.
std::string migrate_to(Database& db, int version);

}  // namespace catalogue
