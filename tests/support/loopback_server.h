#pragma once
#include <winsock2.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

// A TCP server on 127.0.0.1 at a free port, for the probes' tests. Answering, it writes down
// each request's head and replies 200 with a tiny body (a proxy tunnel request gets 403);
// holding, it accepts and never says anything until it is destroyed.
class LoopbackServer {
 public:
  enum Mode { kAnswer, kHold };
  explicit LoopbackServer(Mode mode);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  unsigned short Port() const { return port_; }
  std::vector<std::string> Requests();

  // A port on which nothing listens (it was free a moment ago).
  static unsigned short ClosedPort();

 private:
  void Serve();

  Mode mode_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::thread thread_;
  std::mutex lock_;
  std::vector<std::string> requests_;
  std::vector<SOCKET> held_;
};

}  // namespace test_support
