#pragma once
#include <string>
#include <vector>

#include "catalogue/entry.h"
#include "db/sql.h"

namespace catalogue {

// Reads and writes the catalogue tables. Every change raises the catalogue version in the same
// transaction, so that a reader who sees the new version also sees the change.
class CatalogueStore {
 public:
  explicit CatalogueStore(SqlConnection& db) : db_(db) {}

  // Replaces every entry and link in one transaction; on failure nothing changes.
  std::string replace_all(const Catalogue& catalogue);
  bool load_list(ListKind kind, std::vector<Entry>& out);
  bool load_links(Links& out);
  // The stored signed document; empty for a catalogue imported unsigned.
  bool load_signed_document(std::string& out);
  bool load_all(Catalogue& out);
  // Returns false when no entry has that list and id.
  bool set_status(ListKind kind, int32_t id, int32_t status);
  // -1 when it cannot be read.
  int64_t version();
  // The whole catalogue and its version as of one moment; -1 when it cannot be read.
  int64_t load_snapshot(Catalogue& out);

 private:
  bool bump_version();

  SqlConnection& db_;
};

}  // namespace catalogue
