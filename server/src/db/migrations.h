#pragma once
#include <string>

#include "db/sql.h"

namespace catalogue {

// The schema version this build writes, the same number on both back ends. A database from a
// newer build is refused rather than half-understood.
int current_schema_version();
int schema_version(SqlConnection& db);

// Brings the database up to current_schema_version(), each step in its own transaction.
// Returns an empty string on success, otherwise the reason.
std::string migrate(SqlConnection& db);

// Only for tests that need an older database: applies the steps up to `version`.
std::string migrate_to(SqlConnection& db, int version);

}  // namespace catalogue
