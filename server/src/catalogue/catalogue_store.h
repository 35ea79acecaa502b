#pragma once
#include <string>
#include <vector>

#include "catalogue/entry.h"
#include "db/sqlite_db.h"

namespace catalogue {

// Reads and writes the catalogue tables. The caller serialises access to the connection.
class CatalogueStore {
 public:
  explicit CatalogueStore(Database& db) : db_(db) {}

  // Replaces every entry and link in one transaction; on failure nothing changes.
  std::string replace_all(const Catalogue& catalogue);
  bool load_list(ListKind kind, std::vector<Entry>& out);
  bool load_links(Links& out);
  bool load_all(Catalogue& out);
  // Returns false when no entry has that list and id.
  bool set_status(ListKind kind, int32_t id, int32_t status);

 private:
  Database& db_;
};

}  // namespace catalogue
