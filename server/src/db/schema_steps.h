#pragma once
#include <vector>

#include "db/sql.h"

namespace catalogue {

// Step n takes a database from version n to n + 1; both back ends have the same number of
// steps, and version n means the same tables and columns on both.
const std::vector<const char*>& schema_steps(SqlDialect dialect);

}  // namespace catalogue
