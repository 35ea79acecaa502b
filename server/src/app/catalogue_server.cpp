#include "app/catalogue_server.h"

#include "db/migrations.h"
#include "http/api_routes.h"
#include "http/file_hosting.h"
#include "http/reply.h"
#include "signin/demo_provider.h"

namespace catalogue {
namespace {
constexpr size_t max_header_lines = 64;
}  // namespace

CatalogueServer::CatalogueServer(ServerConfig config) : config_(std::move(config)) {}

std::string CatalogueServer::start() {
  int threads = config_.threads > 0 ? config_.threads : 8;
  state_ = std::make_unique<ServerState>(config_.dbPath, static_cast<size_t>(threads));
  {
    ConnectionPool::Lease db = state_->pool.lease();
    if (!db->ok()) return "cannot open " + describe_database(config_.dbPath) + ": " + db->last_error();
    std::string problem = migrate(*db);
    if (!problem.empty()) return problem;
  }
  if (config_.provider == "wechat") {
    if (config_.wechat.appId.empty() || config_.wechat.secret.empty())
      return "the wechat provider needs an app id and a secret";
    provider_ = std::make_unique<WeChatProvider>(*state_, config_.wechat);
  } else if (config_.provider == "demo") {
    provider_ = std::make_unique<DemoProvider>(*state_);
  } else {
    return "unknown sign-in provider " + config_.provider;
  }

  http_.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };
  // Replies are written in two pieces (headers, body); without this, Nagle holds the second
  // back for the client's delayed ACK and every keep-alive request takes 40 ms.
  http_.set_tcp_nodelay(true);
  http_.set_keep_alive_max_count(1000);
  http_.set_keep_alive_timeout(5);
  http_.set_read_timeout(10, 0);
  http_.set_write_timeout(30, 0);
  http_.set_payload_max_length(64 * 1024);
  replies_ = std::make_unique<CatalogueReplies>(state_->pool, state_->public_base,
                                                std::chrono::milliseconds(std::max(config_.cataloguePollMs, 10)));
  register_routes();

  if (config_.port == 0) {
    port_ = http_.bind_to_any_port(config_.host);
    if (port_ < 0) return "cannot bind " + config_.host;
  } else {
    if (!http_.bind_to_port(config_.host, config_.port)) return "cannot bind " + config_.host + ":" + std::to_string(config_.port);
    port_ = config_.port;
  }
  state_->public_base = config_.publicBase.empty() ? "http://" + config_.host + ":" + std::to_string(port_) : config_.publicBase;
  // Built before the first request, so no request waits for the store.
  std::string problem = replies_->load();
  if (!problem.empty()) return problem;
  replies_->start_polling();
  return std::string();
}

void CatalogueServer::register_routes() {
  // The library reads past framing it does not understand; a request whose length is not a
  // plain number is refused before any route sees it.
  http_.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    // The library has no limit on the number of header lines (only on each line's length), so
    // a flood is at least refused instead of served; the program sends four or five.
    if (req.headers.size() > max_header_lines) {
      set_error(res, 431, "too many header lines");
      return httplib::Server::HandlerResponse::Handled;
    }
    for (size_t i = 0; i < req.get_header_value_count("Content-Length"); ++i) {
      std::string v = req.get_header_value("Content-Length", i);
      if (v.empty() || v.find_first_not_of("0123456789") != std::string::npos || i > 0) {
        set_error(res, 400, "bad Content-Length");
        return httplib::Server::HandlerResponse::Handled;
      }
    }
    return exact_routes_.dispatch(req, res) ? httplib::Server::HandlerResponse::Handled
                                            : httplib::Server::HandlerResponse::Unhandled;
  });
  register_catalogue_routes(exact_routes_, *replies_);
  register_user_routes(http_, exact_routes_, *state_, *provider_);
  if (!config_.filesDir.empty()) register_file_routes(http_, config_.filesDir);
  http_.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty()) set_error(res, res.status, res.status == 404 ? "not found" : "bad request");
  });
  http_.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
    set_error(res, 500, "internal error");
  });
}

void CatalogueServer::run() { http_.listen_after_bind(); }

void CatalogueServer::stop() { http_.stop(); }

}  // namespace catalogue
