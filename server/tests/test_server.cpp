#include "test_server.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "cli/admin_commands.h"
#include "test_database.h"

namespace catalogue_test {
namespace {
// Tests wait for catalogue changes; a short poll keeps them quick. The deployment test checks
// the default.
constexpr int poll_ms = 100;
}  // namespace

std::string make_temp_dir() {
  std::string pattern = "/tmp/catalogue-test-XXXXXX";
  char* made = mkdtemp(pattern.data());
  return made ? std::string(made) : std::string();
}

TempDir::~TempDir() {
  std::string rm = "rm -rf '" + path + "'";
  if (path.rfind("/tmp/catalogue-test-", 0) == 0 && system(rm.c_str()) != 0) ADD_FAILURE() << "cannot remove " << path;
}

std::string read_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& bytes) {
  std::string dir = path.substr(0, path.rfind('/'));
  std::string mk = "mkdir -p '" + dir + "'";
  if (system(mk.c_str()) != 0) ADD_FAILURE() << "cannot create " << dir;
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string small_catalogue_text() { return read_text(std::string(TEST_DATA_DIR) + "/small-catalogue.json"); }

TestServer::TestServer(const std::string& catalogue_json, catalogue::ServerConfig config) : config_(std::move(config)) {
  dir_ = make_temp_dir();
  config_.dbPath = new_test_database(dir_);
  config_.filesDir = dir_ + "/files";
  config_.host = "127.0.0.1";
  config_.port = 0;
  config_.threads = 4;
  if (config_.cataloguePollMs == catalogue::ServerConfig().cataloguePollMs) config_.cataloguePollMs = poll_ms;
  write_file(config_.filesDir + "/bin/setup.exe", "MZ stand-in installer bytes");
  std::ostringstream out, err;
  std::string text = catalogue_json.empty() ? small_catalogue_text() : catalogue_json;
  if (catalogue::import_catalogue_text(config_.dbPath, config_.filesDir, text, out, err) != 0)
    ADD_FAILURE() << "test catalogue refused: " << err.str();
  start();
}

TestServer::TestServer(SameStore, const TestServer& first) : config_(first.config_) {
  dir_ = make_temp_dir();  // its own, only so that the destructor has something to remove
  config_.publicBase = first.base();
  start();
}

TestServer::~TestServer() {
  stop();
  std::string rm = "rm -rf '" + dir_ + "'";
  if (!dir_.empty() && system(rm.c_str()) != 0) ADD_FAILURE() << "cannot remove " << dir_;
}

void TestServer::start() {
  stop();
  catalogue::ServerConfig config = config_;
  config.port = port_;  // a restart keeps the address, so clients and stored URLs stay valid
  server_ = std::make_unique<catalogue::CatalogueServer>(config);
  std::string problem = server_->start();
  ASSERT_EQ(problem, "");
  port_ = server_->port();
  thread_ = std::thread([this] { server_->run(); });
  httplib::Client c = client();
  for (int i = 0; i < 200 && !c.Get("/api/dll/files/runtime"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void TestServer::stop() {
  if (!thread_.joinable()) return;
  server_->stop();
  thread_.join();
}

httplib::Client TestServer::client() const {
  httplib::Client c("127.0.0.1", port_);
  c.set_connection_timeout(5, 0);
  c.set_read_timeout(10, 0);
  return c;
}

httplib::Result TestServer::get(const std::string& target, const httplib::Headers& headers) const {
  return client().Get(target.c_str(), headers);
}

std::string TestServer::export_text() const {
  std::ostringstream out, err;
  catalogue::export_catalogue(config_.dbPath, out, err);
  return out.str();
}

}  // namespace catalogue_test
