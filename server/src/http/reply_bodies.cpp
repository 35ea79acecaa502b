#include "http/reply_bodies.h"

#include "catalogue/entry_json.h"
#include "http/reply.h"

namespace catalogue {

std::array<std::string, 4> build_reply_bodies(const Catalogue& catalogue, const std::string& public_base) {
  std::array<nlohmann::json, 4> lists;
  for (nlohmann::json& l : lists) l = nlohmann::json::array();
  for (const Entry& e : catalogue.entries) lists[static_cast<size_t>(e.list)].push_back(entry_to_json(e, public_base));
  std::array<std::string, 4> bodies;
  for (ListKind kind : all_lists) {
    size_t i = static_cast<size_t>(kind);
    nlohmann::json data = lists[i];
    if (kind == ListKind::common) {
      const Links& links = catalogue.links;
      data = nlohmann::json{{"kfUrl", resolve_url(links.kfUrl, public_base)},
                            {"xyUrl", resolve_url(links.xyUrl, public_base)},
                            {"secretUrl", resolve_url(links.secretUrl, public_base)},
                            {"filesList", lists[i]}};
    }
    bodies[i] = envelope(200, "success", data).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
  return bodies;
}

}  // namespace catalogue
