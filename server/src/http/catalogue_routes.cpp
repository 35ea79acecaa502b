#include "http/api_routes.h"
#include "http/query_rules.h"
#include "http/reply.h"

namespace catalogue {
namespace {

void send_list(CatalogueReplies& replies, ListKind kind, httplib::Response& res) {
  std::string body = replies.body(kind);
  if (body.empty()) return set_error(res, 503, "catalogue unavailable");
  res.status = 200;
  res.set_content(body, "application/json; charset=utf-8");
}

}  // namespace

void register_catalogue_routes(httplib::Server& server, CatalogueReplies& replies) {
  // Every channel sees the same catalogue; the channel is checked only for shape.
  server.Get("/api/dll/files/common", [&replies](const httplib::Request& req, httplib::Response& res) {
    std::string problem = check_query(req, {{"channelNum", 128}});
    if (!problem.empty()) return set_error(res, 400, problem);
    send_list(replies, ListKind::common, res);
  });
  struct Plain { const char* path; ListKind kind; };
  for (Plain p : {Plain{"/api/dll/files/runtime", ListKind::runtime}, Plain{"/api/dll/files/dx", ListKind::dx},
                  Plain{"/api/dll/files/system", ListKind::system}}) {
    ListKind kind = p.kind;
    server.Get(p.path, [&replies, kind](const httplib::Request& req, httplib::Response& res) {
      std::string problem = check_query(req, {});
      if (!problem.empty()) return set_error(res, 400, problem);
      send_list(replies, kind, res);
    });
  }
}

}  // namespace catalogue
