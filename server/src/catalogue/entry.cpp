#include "catalogue/entry.h"

namespace catalogue {

const char* list_name(ListKind kind) {
  switch (kind) {
    case ListKind::common: return "common";
    case ListKind::runtime: return "runtime";
    case ListKind::dx: return "dx";
    case ListKind::system: return "system";
  }
  return "";
}

const char* list_file_key(ListKind kind) {
  return kind == ListKind::common ? "filesList" : list_name(kind);
}

std::optional<ListKind> list_from_name(const std::string& name) {
  for (ListKind kind : all_lists)
    if (name == list_name(kind) || name == list_file_key(kind)) return kind;
  return std::nullopt;
}

}  // namespace catalogue
