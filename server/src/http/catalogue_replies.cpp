#include "http/catalogue_replies.h"

#include "catalogue/entry_json.h"
#include "http/reply.h"

namespace catalogue {

std::string CatalogueReplies::body(ListKind kind) {
  std::lock_guard<std::mutex> lock(state_.mutex);
  int64_t version = state_.db.data_version();
  if (version != version_ || bodies_.empty()) {
    if (!rebuild()) return std::string();
    version_ = version;
  }
  return bodies_[kind];
}

bool CatalogueReplies::rebuild() {
  std::map<ListKind, std::string> fresh;
  for (ListKind kind : all_lists) {
    std::vector<Entry> entries;
    if (!state_.catalogue.load_list(kind, entries)) return false;
    nlohmann::json list = nlohmann::json::array();
    for (const Entry& e : entries) list.push_back(entry_to_json(e, state_.public_base));
    nlohmann::json data = list;
    if (kind == ListKind::common) {
      Links links;
      state_.catalogue.load_links(links);
      data = nlohmann::json{{"kfUrl", resolve_url(links.kfUrl, state_.public_base)},
                            {"xyUrl", resolve_url(links.xyUrl, state_.public_base)},
                            {"secretUrl", resolve_url(links.secretUrl, state_.public_base)},
                            {"filesList", list}};
    }
    fresh[kind] = envelope(200, "success", data).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
  bodies_.swap(fresh);
  return true;
}

}  // namespace catalogue
