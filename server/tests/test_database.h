#pragma once
// Which store the suite runs against. The same tests run twice under ctest: on SQLite files,
// and with CATALOGUE_TEST_BACKEND=postgresql on a PostgreSQL server started for the run in a
// temporary folder (each test server gets a database of its own there).
#include <string>

namespace catalogue_test {

bool testing_postgresql();
// A fresh, empty store for one test: a SQLite file under `dir`, or a new PostgreSQL database.
std::string new_test_database(const std::string& dir);

}  // namespace catalogue_test
