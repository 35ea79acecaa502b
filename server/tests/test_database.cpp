#include "test_database.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "db/pg_connection.h"

namespace catalogue_test {
namespace {

std::string shell_output(const std::string& command, int& status) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) {
    status = -1;
    return out;
  }
  char buf[512];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  status = pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

int free_loopback_port() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  int port = -1;
  if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
    port = ntohs(a.sin_port);
  if (fd >= 0) close(fd);
  return port;
}

// The PostgreSQL server of one test run, started by the deployment's own script.
class PostgresEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!testing_postgresql()) return;
    char pattern[] = "/tmp/catalogue-pg-XXXXXX";
    if (mkdtemp(pattern) == nullptr) GTEST_SKIP() << "PostgreSQL tests skipped: cannot make a temporary folder";
    dir_ = pattern;
    std::string problem;
    for (int attempt = 0; attempt < 3 && url_.empty(); ++attempt) {  // another process may take the port first
      int status = 0;
      // Each test makes a database, and PostgreSQL syncs every new one to disk; a throwaway
      // server need not survive a power cut, and on a busy machine the syncs dominate the run.
      std::string out = shell_output("PG_OPTIONS='-c fsync=off -c synchronous_commit=off -c full_page_writes=off' " +
                                         std::string(DEPLOY_DIR) + "/pg-local.sh start " + dir_ + "/pg " +
                                         std::to_string(free_loopback_port()) + " 2>&1",
                                     status);
      if (status == 0) url_ = out;
      else problem = out;
    }
    if (url_.empty()) {
      printf("PostgreSQL tests skipped: the server did not start: %s\n", problem.c_str());
      GTEST_SKIP() << "PostgreSQL tests skipped: the server did not start: " << problem;
    }
    base_url_ = url_.substr(0, url_.rfind('/') + 1);
    printf("PostgreSQL test server at %s (folder %s)\n", url_.c_str(), dir_.c_str());
  }

  void TearDown() override {
    if (dir_.empty()) return;
    int status = 0;
    shell_output(std::string(DEPLOY_DIR) + "/pg-local.sh stop " + dir_ + "/pg", status);
    shell_output("rm -rf '" + dir_ + "'", status);
  }

  std::string new_database() {
    if (url_.empty()) {
      ADD_FAILURE() << "the PostgreSQL test server is not running";
      return std::string();
    }
    static std::atomic<int> counter{0};
    std::string name = "test_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    catalogue::PgConnection admin(url_);
    // The name is made here of digits and underscores; CREATE DATABASE takes no parameters.
    if (!admin.exec(("CREATE DATABASE " + name).c_str())) ADD_FAILURE() << "CREATE DATABASE: " << admin.last_error();
    return base_url_ + name;
  }

 private:
  std::string dir_;
  std::string url_;       // of the maintenance database
  std::string base_url_;  // without a database name
};

PostgresEnvironment* environment() {
  static PostgresEnvironment* env =
      static_cast<PostgresEnvironment*>(::testing::AddGlobalTestEnvironment(new PostgresEnvironment));
  return env;
}
[[maybe_unused]] PostgresEnvironment* const registered = environment();

}  // namespace

bool testing_postgresql() {
  const char* backend = getenv("CATALOGUE_TEST_BACKEND");
  return backend != nullptr && std::string(backend) == "postgresql";
}

std::string new_test_database(const std::string& dir) {
  return testing_postgresql() ? environment()->new_database() : dir + "/catalogue.db";
}

}  // namespace catalogue_test
