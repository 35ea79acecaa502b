#pragma once
// The server's own HTTP/1.1 connection handling, in place of the library's: one thread per
// connection, as the library had, but a request costs one recv and one send. The library's
// loop spent eleven system calls on each (a poll before every read and write, the peer's and
// its own address looked up again), which capped the catalogue replies at two thirds of what
// nginx serves on the same machine. Handlers still take the library's Request and Response;
// a body is in memory (Response::body) or a piece of a file (FileBody), never a stream.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "http/router.h"

namespace catalogue {

struct HttpLimits {
  int threads = 8;  // connections served at once; more wait to be accepted
  int idle_seconds = 5;  // a kept-alive connection with no new request is closed
  int head_seconds = 10;  // to send a whole request, head and body
  int write_seconds = 30;
  int max_requests_per_connection = 1000;
};

class HttpServer {
 public:
  HttpServer(const Router& router, HttpLimits limits) : router_(router), limits_(limits) {}
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds and listens on host:port (0: any free port); returns the port, or -1.
  int bind(const std::string& host, int port);
  // Serves until stop(); connections open then are closed.
  void run();
  void stop();

 private:
  void work();
  void serve_connection(int fd, const std::string& peer);

  const Router& router_;
  const HttpLimits limits_;
  int listen_fd_ = -1;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;  // guards queue_ and open_
  std::condition_variable queued_;
  std::deque<std::pair<int, std::string>> queue_;  // accepted connections and their peers' addresses
  std::set<int> open_;
  std::vector<std::thread> workers_;
};

}  // namespace catalogue
