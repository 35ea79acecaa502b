#include "http/api_routes.h"
#include "http/etag_match.h"
#include "http/query_rules.h"
#include "http/reply.h"

namespace catalogue {
namespace {

// Short enough that a cache in front adds little to the poll interval before a change shows,
// long enough that it answers most of the start-up requests of many programs by itself.
constexpr const char* catalogue_cache_control = "public, max-age=1";

void send_cached(const CachedReply& reply, const httplib::Request& req, httplib::Response& res) {
  res.set_header("ETag", reply.etag);
  res.set_header("Cache-Control", catalogue_cache_control);
  if (req.has_header("If-None-Match") && if_none_match_names(req.get_header_value("If-None-Match"), reply.etag)) {
    res.status = 304;
    return;
  }
  res.status = 200;
  res.set_content(reply.body, "application/json; charset=utf-8");
}

void send_list(const CatalogueReplies& replies, ListKind kind, const httplib::Request& req, httplib::Response& res) {
  std::shared_ptr<const ReplySet> set = replies.current();
  if (!set) return set_error(res, 503, "catalogue unavailable");
  send_cached(set->of(kind), req, res);
}

}  // namespace

void register_catalogue_routes(Router& routes, const CatalogueReplies& replies) {
  // Every channel sees the same catalogue; the channel is checked only for shape.
  routes.exact("/api/dll/files/common", [&replies](const httplib::Request& req, httplib::Response& res) {
    std::string problem = check_query(req, {{"channelNum", 128}});
    if (!problem.empty()) return set_error(res, 400, problem);
    send_list(replies, ListKind::common, req, res);
  });
  struct Plain { const char* path; ListKind kind; };
  for (Plain p : {Plain{"/api/dll/files/runtime", ListKind::runtime}, Plain{"/api/dll/files/dx", ListKind::dx},
                  Plain{"/api/dll/files/system", ListKind::system}}) {
    ListKind kind = p.kind;
    routes.exact(p.path, [&replies, kind](const httplib::Request& req, httplib::Response& res) {
      std::string problem = check_query(req, {});
      if (!problem.empty()) return set_error(res, 400, problem);
      send_list(replies, kind, req, res);
    });
  }
  // Cached alike: the document changes only with an import, as the lists do.
  routes.exact("/api/dll/files/signed", [&replies](const httplib::Request& req, httplib::Response& res) {
    std::string problem = check_query(req, {});
    if (!problem.empty()) return set_error(res, 400, problem);
    std::shared_ptr<const ReplySet> set = replies.current();
    if (!set) return set_error(res, 503, "catalogue unavailable");
    if (set->signed_document.body.empty()) return set_error(res, 404, "this catalogue was imported unsigned");
    send_cached(set->signed_document, req, res);
  });
}

}  // namespace catalogue
