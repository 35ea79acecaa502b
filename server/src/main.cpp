// tessa-catalogue: the catalogue server and its admin commands in one binary.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "service/catalogue_server.h"
#include "catalogue/demo_catalogue.h"
#include "cli/admin_commands.h"
#include "cli/options.h"

using namespace catalogue;

namespace {

const char* usage =
    "usage: tessa-catalogue COMMAND [options]\n"
    "  --db is a SQLite file, or postgresql://USER@HOST:PORT/DBNAME for instances sharing one store\n"
    "  serve     --db FILE [--files DIR] [--host 127.0.0.1] [--port 8080] [--public-url URL]\n"
    "            [--threads 8] [--catalogue-poll-ms 1000] [--provider demo|wechat]\n"
    "            [--demo-on-public-address yes]   (the demo provider listens on loopback only)\n"
    "            [--client-address-from X-Forwarded-For]   (behind a proxy on this machine)\n"
    "            [--wechat-appid ID --wechat-secret-file FILE]\n"
    "            [--wechat-connect-base URL] [--wechat-api-base URL]\n"
    "  import    --db FILE [--files DIR] CATALOGUE.json\n"
    "  init-demo --db FILE [--files DIR]     import the built-in demo catalogue\n"
    "  export    --db FILE                   print the catalogue as an import file\n"
    "  list      --db FILE\n"
    "  status    --db FILE --list common|runtime|dx|system --id N --value N\n";

std::string read_secret(const std::string& path) {
  std::ifstream in(path);
  std::string secret;
  std::getline(in, secret);
  return secret;
}

bool read_port(const std::string& text, int& port) {
  char* end = nullptr;
  long v = strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < 0 || v > 65535) return false;
  port = static_cast<int>(v);
  return true;
}

int serve(const Options& o) {
  ServerConfig config;
  if (!read_port(o.get("port", "8080"), config.port)) {
    std::cerr << "--port must be a number from 0 (any free port) to 65535\n";
    return 2;
  }
  config.dbPath = o.get("db");
  config.filesDir = o.get("files");
  config.host = o.get("host", "127.0.0.1");
  config.publicBase = o.get("public-url");
  config.threads = atoi(o.get("threads", "8").c_str());
  config.cataloguePollMs = atoi(o.get("catalogue-poll-ms", "1000").c_str());
  config.provider = o.get("provider", "demo");
  config.demoOnPublicAddress = o.get("demo-on-public-address", "no") == "yes";
  config.clientAddressHeader = o.get("client-address-from");
  config.wechat.appId = o.get("wechat-appid");
  // The secret comes from a file or the environment, never the command line, which other
  // users of the machine can read.
  config.wechat.secret = o.has("wechat-secret-file") ? read_secret(o.get("wechat-secret-file"))
                                                     : std::string(getenv("TESSA_WECHAT_SECRET") ? getenv("TESSA_WECHAT_SECRET") : "");
  config.wechat.connectBase = o.get("wechat-connect-base", config.wechat.connectBase);
  config.wechat.apiBase = o.get("wechat-api-base", config.wechat.apiBase);

  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);  // inherited by the worker threads

  CatalogueServer server(config);
  std::string problem = server.start();
  if (!problem.empty()) {
    std::cerr << problem << "\n";
    return 1;
  }
  std::cout << "listening on " << server.state().public_base << std::endl;
  std::thread waiter([&server, stop_signals] {
    int sig = 0;
    sigwait(&stop_signals, &sig);
    server.stop();
  });
  server.run();
  // run() also ends if the listener fails; wake the waiter so it can be joined.
  kill(getpid(), SIGTERM);
  waiter.join();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o = parse_options(argc, argv);
  if (!o.error.empty() || o.command == "help") {
    std::cerr << (o.error.empty() ? "" : o.error + "\n") << usage;
    return o.error.empty() ? 0 : 2;
  }
  if (!o.has("db")) {
    std::cerr << "--db FILE is required\n" << usage;
    return 2;
  }
  std::string db = o.get("db");
  if (o.command == "serve") return serve(o);
  if (o.command == "import" && o.positional.size() == 1)
    return import_catalogue_file(db, o.get("files"), o.positional[0], std::cout, std::cerr);
  if (o.command == "init-demo") return import_catalogue_text(db, o.get("files"), demo_catalogue_json(), std::cout, std::cerr);
  if (o.command == "export") return export_catalogue(db, std::cout, std::cerr);
  if (o.command == "list") return list_catalogue(db, std::cout, std::cerr);
  if (o.command == "status") return set_entry_status(db, o.get("list"), o.get("id"), o.get("value"), std::cout, std::cerr);
  std::cerr << usage;
  return 2;
}
