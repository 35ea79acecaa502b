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
#include "cli/signing_commands.h"
#include "signing/ed25519_keys.h"
#include "signing/signed_catalogue.h"

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
    "  import    --db FILE [--files DIR] CATALOGUE.json      an unsigned import file (programs built\n"
    "            with a catalogue key refuse it), or\n"
    "  import    --db FILE --catalogue-keys FILE [--allow-older yes] SIGNED.json\n"
    "            a document made by sign, checked against the public keys in the file\n"
    "  init-demo --db FILE [--files DIR] [--signing-key FILE --public-url URL] [--version N]\n"
    "            import the built-in demo catalogue; with a key, signed with it first\n"
    "  keygen    --out KEY.pem                make the operator's key pair (keep KEY.pem offline)\n"
    "  sign      --key KEY.pem [--key2 KEY.pem] --version N [--expires-days 30 | --expires UNIXTIME]\n"
    "            [--public-url URL] [--files DIR] CATALOGUE.json > SIGNED.json\n"
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

bool read_number(const std::string& text, int64_t& out) {
  char* end = nullptr;
  long long v = strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') return false;
  out = v;
  return true;
}

// sign's --version, --expires-days or --expires and keys; false with the reason.
bool read_sign_request(const Options& o, SignRequest& r) {
  if (o.has("key")) r.key_paths.push_back(o.get("key"));
  if (o.has("key2")) r.key_paths.push_back(o.get("key2"));
  int64_t days = 30;
  if (!read_number(o.get("version", "0"), r.version) ||
      (o.has("expires") && !read_number(o.get("expires"), r.expires)) ||
      (!o.has("expires") && (!read_number(o.get("expires-days", "30"), days) || days <= 0 || days > 3660))) {
    std::cerr << "--version, --expires and --expires-days take whole numbers (--expires-days 1 to 3660)\n";
    return false;
  }
  if (!o.has("expires")) r.expires = static_cast<int64_t>(time(nullptr)) + days * 86400;
  r.public_base = o.get("public-url");
  r.files_dir = o.get("files");
  return true;
}

std::vector<std::string> trusted_keys(const Options& o, bool& ok) {
  std::vector<std::string> keys;
  ok = true;
  if (!o.has("catalogue-keys")) return keys;
  std::string error;
  ok = read_public_keys(o.get("catalogue-keys"), keys, error);
  if (!ok) std::cerr << error << "\n";
  return keys;
}

int import_command(const Options& o) {
  std::ifstream in(o.positional[0], std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << o.positional[0] << "\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  if (!is_signed_document(text.str())) {
    if (o.has("catalogue-keys"))
      std::cerr << "warning: " << o.positional[0] << " is not signed; programs built with a catalogue key will refuse it\n";
    return import_catalogue_text(o.get("db"), o.get("files"), text.str(), std::cout, std::cerr);
  }
  bool keys_ok = true;
  std::vector<std::string> keys = trusted_keys(o, keys_ok);
  if (!keys_ok) return 1;
  return import_signed_document(o.get("db"), text.str(), keys, o.get("allow-older") == "yes", std::cout, std::cerr);
}

// The demo, signed with a test key when one is given (the key's own public half is then the
// one it is checked against).
int init_demo(const Options& o) {
  if (!o.has("signing-key")) return import_catalogue_text(o.get("db"), o.get("files"), demo_catalogue_json(), std::cout, std::cerr);
  SignRequest r;
  if (!read_sign_request(o, r)) return 2;
  r.key_paths = {o.get("signing-key")};
  if (r.version == 0) r.version = 1;
  SigningKey key;
  std::string error;
  if (!load_signing_key(o.get("signing-key"), key, error)) {
    std::cerr << error << "\n";
    return 1;
  }
  std::string document = sign_catalogue_text(demo_catalogue_json(), r, std::cerr);
  if (document.empty()) return 1;
  return import_signed_document(o.get("db"), document, {key.public_hex}, true, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  Options o = parse_options(argc, argv);
  if (!o.error.empty() || o.command == "help") {
    std::cerr << (o.error.empty() ? "" : o.error + "\n") << usage;
    return o.error.empty() ? 0 : 2;
  }
  // The operator's commands, away from any database.
  if (o.command == "keygen") {
    if (!o.has("out")) {
      std::cerr << usage;
      return 2;
    }
    return make_catalogue_key(o.get("out"), std::cout, std::cerr);
  }
  if (o.command == "sign") {
    SignRequest r;
    if (o.positional.size() != 1 || !read_sign_request(o, r)) {
      std::cerr << usage;
      return 2;
    }
    return sign_catalogue_file(o.positional[0], r, std::cout, std::cerr);
  }
  if (!o.has("db")) {
    std::cerr << "--db FILE is required\n" << usage;
    return 2;
  }
  std::string db = o.get("db");
  if (o.command == "serve") return serve(o);
  if (o.command == "import" && o.positional.size() == 1) return import_command(o);
  if (o.command == "init-demo") return init_demo(o);
  if (o.command == "export") return export_catalogue(db, std::cout, std::cerr);
  if (o.command == "list") return list_catalogue(db, std::cout, std::cerr);
  if (o.command == "status") return set_entry_status(db, o.get("list"), o.get("id"), o.get("value"), std::cout, std::cerr);
  std::cerr << usage;
  return 2;
}
