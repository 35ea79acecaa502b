#include "cli/admin_commands.h"

#include <fstream>
#include <memory>
#include <iomanip>
#include <sstream>
#include <sys/stat.h>

#include "catalogue/catalogue_store.h"
#include "catalogue/entry_checks.h"
#include "catalogue/entry_json.h"
#include "catalogue/import_validator.h"
#include "db/connection_pool.h"
#include "db/migrations.h"
#include "util/digests.h"

namespace catalogue {

std::string lower_ascii(std::string s) {
  for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return s;
}

bool is_regular_file(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::unique_ptr<SqlConnection> open_store(const std::string& db_path, std::ostream& err) {
  std::unique_ptr<SqlConnection> db = open_connection(db_path);
  if (!db->ok()) {
    err << "cannot open " << describe_database(db_path) << ": " << db->last_error() << "\n";
    return nullptr;
  }
  std::string problem = migrate(*db);
  if (!problem.empty()) {
    err << problem << "\n";
    return nullptr;
  }
  return db;
}

namespace {

// Digests of hosted files: computed when the entry has none, checked when it has one. A copy
// that is not there is named, because its entry then goes out without a digest.
int fill_digests(ImportResult& r, const std::string& files_dir, std::vector<std::string>& errors,
                 std::ostream& warnings) {
  int computed = 0;
  for (size_t i = 0; i < r.catalogue.entries.size(); ++i) {
    Entry& e = r.catalogue.entries[i];
    std::optional<std::string> rel = hosted_relative_path(e.md5From.empty() ? e.downloadUrl : e.md5From);
    if (!rel || files_dir.empty()) continue;
    std::string path = files_dir + "/" + *rel;
    if (!is_regular_file(path)) {
      if (e.fileMd5.empty()) warnings << "line " << r.lines[i] << ": no file " << path << "; the entry has no digest\n";
      continue;
    }
    std::string md5 = md5_of_file(path);
    if (md5.empty()) {
      errors.push_back("line " + std::to_string(r.lines[i]) + ": cannot read " + path);
    } else if (e.fileMd5.empty()) {
      e.fileMd5 = md5;
      ++computed;
    } else if (lower_ascii(e.fileMd5) != md5) {
      errors.push_back("line " + std::to_string(r.lines[i]) + ": \"fileMd5\" does not match the hosted file " + path);
    }
  }
  return computed;
}

}  // namespace

int import_catalogue_text(const std::string& db_path, const std::string& files_dir, const std::string& text,
                          std::ostream& out, std::ostream& err) {
  ImportResult r = validate_import(text);
  std::vector<std::string> errors = r.errors;
  std::ostringstream warnings;
  int computed = r.ok() ? fill_digests(r, files_dir, errors, warnings) : 0;
  if (!errors.empty()) {
    for (const std::string& e : errors) err << e << "\n";
    err << "import refused; the catalogue is unchanged\n";
    return 1;
  }
  std::unique_ptr<SqlConnection> db = open_store(db_path, err);
  if (!db) return 1;
  std::string problem = CatalogueStore(*db).replace_all(r.catalogue);
  if (!problem.empty()) {
    err << problem << "\nimport refused; the catalogue is unchanged\n";
    return 1;
  }
  int without = 0;
  for (const Entry& e : r.catalogue.entries) without += e.fileMd5.empty() ? 1 : 0;
  out << warnings.str() << "imported " << r.catalogue.entries.size() << " entries; " << computed
      << " digests computed from hosted files; " << without << " entries without a digest\n";
  return 0;
}

int import_catalogue_file(const std::string& db_path, const std::string& files_dir, const std::string& json_path,
                          std::ostream& out, std::ostream& err) {
  std::ifstream in(json_path, std::ios::binary);
  if (!in) {
    err << "cannot read " << json_path << "\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  return import_catalogue_text(db_path, files_dir, text.str(), out, err);
}

int export_catalogue(const std::string& db_path, std::ostream& out, std::ostream& err) {
  std::unique_ptr<SqlConnection> db = open_store(db_path, err);
  Catalogue c;
  if (!db || CatalogueStore(*db).load_snapshot(c) < 0) return 1;
  nlohmann::json j{{"kfUrl", c.links.kfUrl}, {"xyUrl", c.links.xyUrl}, {"secretUrl", c.links.secretUrl}};
  for (ListKind kind : all_lists) j[list_file_key(kind)] = nlohmann::json::array();
  for (const Entry& e : c.entries) j[list_file_key(e.list)].push_back(entry_to_file_json(e));
  out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  return 0;
}

int list_catalogue(const std::string& db_path, std::ostream& out, std::ostream& err) {
  std::unique_ptr<SqlConnection> db = open_store(db_path, err);
  Catalogue c;
  if (!db || CatalogueStore(*db).load_snapshot(c) < 0) return 1;
  out << std::left << std::setw(8) << "list" << std::setw(8) << "id" << std::setw(7) << "status" << std::setw(5)
      << "type" << std::setw(34) << "md5" << "file\n";
  for (const Entry& e : c.entries) {
    out << std::setw(8) << list_name(e.list) << std::setw(8) << e.id << std::setw(7) << e.status << std::setw(5)
        << (e.list == ListKind::common ? std::to_string(e.type) : "-") << std::setw(34)
        << (e.fileMd5.empty() ? "(no digest)" : e.fileMd5) << e.fileName << "\n";
  }
  return 0;
}

int set_entry_status(const std::string& db_path, const std::string& list, const std::string& id,
                     const std::string& status, std::ostream& out, std::ostream& err) {
  std::optional<ListKind> kind = list_from_name(list);
  char* end = nullptr;
  long id_value = strtol(id.c_str(), &end, 10);
  bool id_ok = !id.empty() && *end == '\0' && id_value >= INT32_MIN && id_value <= INT32_MAX;
  long status_value = strtol(status.c_str(), &end, 10);
  bool status_ok = !status.empty() && *end == '\0' && status_value >= INT32_MIN && status_value <= INT32_MAX;
  if (!kind || !id_ok || !status_ok) {
    err << "usage: status --db FILE --list common|runtime|dx|system --id N --value N\n";
    return 1;
  }
  std::unique_ptr<SqlConnection> db = open_store(db_path, err);
  if (!db) return 1;
  if (!CatalogueStore(*db).set_status(*kind, static_cast<int32_t>(id_value), static_cast<int32_t>(status_value))) {
    err << "no " << list << " entry with id " << id << "\n";
    return 1;
  }
  out << list << " entry " << id << " status " << status_value << "\n";
  return 0;
}

}  // namespace catalogue
