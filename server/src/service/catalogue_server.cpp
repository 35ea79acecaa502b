#include "service/catalogue_server.h"

#include "db/migrations.h"
#include "http/api_routes.h"
#include "http/file_hosting.h"
#include "http/reply.h"
#include "signin/demo_provider.h"

namespace catalogue {
CatalogueServer::CatalogueServer(ServerConfig config) : config_(std::move(config)) {}

namespace {

bool IsLoopbackHost(const std::string& host) {
  return host == "localhost" || host == "::1" || host == "[::1]" || host.rfind("127.", 0) == 0;
}

}  // namespace

std::string CatalogueServer::start() {
  int threads = config_.threads > 0 ? config_.threads : 8;
  state_ = std::make_unique<ServerState>(config_.dbPath, static_cast<size_t>(threads));
  state_->client_address_header = config_.clientAddressHeader;
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
    if (!IsLoopbackHost(config_.host) && !config_.demoOnPublicAddress)
      return "the demo sign-in provider signs anyone in with one click, so it listens only on a loopback "
             "address; use --provider wechat, or --demo-on-public-address yes for a demo on a network";
    provider_ = std::make_unique<DemoProvider>(*state_);
  } else {
    return "unknown sign-in provider " + config_.provider;
  }

  HttpLimits limits;
  limits.threads = threads;
  http_ = std::make_unique<HttpServer>(routes_, limits);
  replies_ = std::make_unique<CatalogueReplies>(state_->pool, state_->public_base,
                                                std::chrono::milliseconds(std::max(config_.cataloguePollMs, 10)));
  register_routes();

  port_ = http_->bind(config_.host, config_.port);
  if (port_ < 0) return "cannot bind " + config_.host + ":" + std::to_string(config_.port);
  state_->public_base = config_.publicBase.empty() ? "http://" + config_.host + ":" + std::to_string(port_) : config_.publicBase;
  // Built before the first request, so no request waits for the store.
  std::string problem = replies_->load();
  if (!problem.empty()) return problem;
  replies_->start_polling();
  return std::string();
}

void CatalogueServer::register_routes() {
  register_catalogue_routes(routes_, *replies_);
  register_user_routes(routes_, *state_, *provider_);
  if (!config_.filesDir.empty()) register_file_routes(routes_, config_.filesDir);
}

void CatalogueServer::run() { http_->run(); }

void CatalogueServer::stop() { http_->stop(); }

}  // namespace catalogue
