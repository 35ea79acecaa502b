#pragma once
#include <memory>
#include <ostream>
#include <string>

#include "db/sql.h"

namespace catalogue {

// Shared by the commands that read the hosted files.
std::string lower_ascii(std::string s);
bool is_regular_file(const std::string& path);

// The store opened and migrated, or null with the reason on `err`.
std::unique_ptr<SqlConnection> open_store(const std::string& db_path, std::ostream& err);

// Each returns the process exit code: 0 done, 1 refused (with the reasons on `err`). `db_path`
// is a SQLite file or a postgresql:// URI.

// Validates the file, fills in the MD5 of every hosted file that is present, and replaces the
// whole catalogue; a file with any problem changes nothing.
int import_catalogue_text(const std::string& db_path, const std::string& files_dir, const std::string& text,
                          std::ostream& out, std::ostream& err);
int import_catalogue_file(const std::string& db_path, const std::string& files_dir, const std::string& json_path,
                          std::ostream& out, std::ostream& err);
int export_catalogue(const std::string& db_path, std::ostream& out, std::ostream& err);
int list_catalogue(const std::string& db_path, std::ostream& out, std::ostream& err);
int set_entry_status(const std::string& db_path, const std::string& list, const std::string& id,
                     const std::string& status, std::ostream& out, std::ostream& err);

}  // namespace catalogue
