#pragma once
#include <map>
#include <string>

#include "app/server_state.h"
#include "catalogue/entry.h"

namespace catalogue {

// The four catalogue replies, built once and kept until the database changes. The admin
// commands write from another process; SQLite's data_version tells us when they have.
class CatalogueReplies {
 public:
  explicit CatalogueReplies(ServerState& state) : state_(state) {}
  // The serialised reply body for the list, or empty if the store could not be read.
  std::string body(ListKind kind);

 private:
  bool rebuild();

  ServerState& state_;
  int64_t version_ = -1;
  std::map<ListKind, std::string> bodies_;
};

}  // namespace catalogue
