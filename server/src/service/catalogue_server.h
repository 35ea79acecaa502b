#pragma once
#include <httplib.h>

#include <memory>
#include <string>

#include "service/server_state.h"
#include "http/catalogue_replies.h"
#include "http/http_server.h"
#include "http/router.h"
#include "signin/provider.h"
#include "signin/wechat_provider.h"

namespace catalogue {

struct ServerConfig {
  std::string dbPath;  // a SQLite file, or a postgresql:// URI
  std::string filesDir;
  std::string host = "127.0.0.1";
  int port = 8080;  // 0 picks a free port
  std::string publicBase;  // defaults to http://host:port
  std::string provider = "demo";  // or "wechat"
  // The demo provider signs anyone in with one click: it is started on an address other than
  // a loopback one only when this says so (--demo-on-public-address yes).
  bool demoOnPublicAddress = false;
  // Behind a reverse proxy on this machine: the header it names the client in (the sign-in
  // codes are counted per client). Empty: the connection's own address.
  std::string clientAddressHeader;
  WeChatConfig wechat;
  int threads = 8;
  // How often the catalogue version is read; a change elsewhere shows within about this long.
  int cataloguePollMs = 1000;
};

class CatalogueServer {
 public:
  explicit CatalogueServer(ServerConfig config);
  // Opens and migrates the database, binds the socket. Returns the reason on failure.
  std::string start();
  int port() const { return port_; }
  // Serves until stop(); call after a successful start().
  void run();
  void stop();
  ServerState& state() { return *state_; }

 private:
  void register_routes();

  ServerConfig config_;
  // Declared before what uses it: the replies' poller leases connections until it is destroyed.
  std::unique_ptr<ServerState> state_;
  std::unique_ptr<CatalogueReplies> replies_;
  std::unique_ptr<SignInProvider> provider_;
  Router routes_;
  std::unique_ptr<HttpServer> http_;
  int port_ = 0;
};

}  // namespace catalogue
