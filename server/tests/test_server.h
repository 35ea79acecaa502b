#pragma once
// Starts a catalogue server on a free loopback port over a throwaway database and files folder.
#include <httplib.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "service/catalogue_server.h"

namespace catalogue_test {

std::string make_temp_dir();

// A temporary folder removed with everything in it when the test is done.
struct TempDir {
  std::string path = make_temp_dir();
  TempDir() = default;
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
};
// Waits until `ready` holds or three seconds pass (the tests poll the store every 100 ms).
template <class Ready>
bool eventually(Ready ready) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string read_text(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
std::string small_catalogue_text();

class TestServer {
 public:
  // Imports `catalogue_json` (the small test catalogue when empty) into a store of its own.
  explicit TestServer(const std::string& catalogue_json = std::string(), catalogue::ServerConfig config = {});
  // A second instance on the store and files of `first`, as two machines behind one address
  // would be; it answers under the same public address as `first`.
  struct SameStore {};
  TestServer(SameStore, const TestServer& first);
  ~TestServer();

  void start();  // (re)starts on the same database and files folder
  void stop();

  httplib::Client client() const;
  httplib::Result get(const std::string& target, const httplib::Headers& headers = {}) const;
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  int port() const { return port_; }
  const std::string& dir() const { return dir_; }
  // A SQLite file or a postgresql:// URI; the admin commands take either.
  const std::string& db_path() const { return config_.dbPath; }
  const std::string& files_dir() const { return config_.filesDir; }
  catalogue::CatalogueServer& server() { return *server_; }
  std::string export_text() const;  // the stored catalogue, to prove that nothing changed

 private:
  std::string dir_;
  catalogue::ServerConfig config_;
  std::unique_ptr<catalogue::CatalogueServer> server_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace catalogue_test
