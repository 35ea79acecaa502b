#include "http/http_server.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "http/reply.h"
#include "http/request_head.h"
#include "http/response_head.h"

namespace catalogue {
namespace {

constexpr size_t buffer_bytes = max_request_head_bytes + 4096;
constexpr uint64_t file_piece_bytes = 1024 * 1024;  // one per served connection: --threads of them at most

void set_timeout(int fd, int option, int seconds) {
  timeval tv{seconds, 0};
  setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv);
}

// Sends every byte of the pieces, or fails (peer gone, write timeout).
bool send_all(int fd, iovec* pieces, int count) {
  while (count > 0) {
    msghdr msg{};
    msg.msg_iov = pieces;
    msg.msg_iovlen = static_cast<size_t>(count);
    ssize_t n = sendmsg(fd, &msg, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    size_t left = static_cast<size_t>(n);
    while (count > 0 && left >= pieces->iov_len) {
      left -= pieces->iov_len;
      ++pieces;
      --count;
    }
    if (count > 0) {
      pieces->iov_base = static_cast<char*>(pieces->iov_base) + left;
      pieces->iov_len -= left;
    }
  }
  return true;
}

// After a refusal the client may still be sending; closing with its bytes unread would reset
// the connection and could destroy our reply before the client reads it. So the sending side
// is closed first and what still arrives is read and dropped, for a moment.
void close_after_refusal(int fd) {
  shutdown(fd, SHUT_WR);
  set_timeout(fd, SO_RCVTIMEO, 1);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  char sink[16384];
  size_t dropped = 0;
  ssize_t n;
  while (dropped < (4u << 20) && std::chrono::steady_clock::now() < until && (n = recv(fd, sink, sizeof sink, 0)) > 0)
    dropped += static_cast<size_t>(n);
}

// The reply goes out as head and body in one piece when the body is in memory; a file body
// follows its head, one piece at a time, so a download holds one piece of memory however large.
bool write_response(int fd, const httplib::Request& req, httplib::Response& res, const FileBody& file,
                    bool keep_alive) {
  const bool from_file = file.length > 0;
  const uint64_t length = from_file ? file.length : res.body.size();
  std::string head = response_head(res, length, keep_alive);
  const bool send_body = status_has_body(res.status) && req.method != "HEAD";
  iovec pieces[2] = {{head.data(), head.size()}, {res.body.data(), send_body && !from_file ? res.body.size() : 0}};
  if (!send_all(fd, pieces, 2)) return false;
  if (!send_body || !from_file) return true;
  // Read and sent in large pieces rather than by sendfile: on loopback, sendfile's page-sized
  // pieces gave 0.9-1.0x nginx's range throughput here, these 1.1-1.5x (bench/server/run.sh).
  std::vector<char> piece(static_cast<size_t>(std::min<uint64_t>(file.length, file_piece_bytes)));
  uint64_t done = 0;
  while (done < file.length) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(file.length - done, piece.size()));
    ssize_t n = pread(file.fd, piece.data(), want, static_cast<off_t>(file.offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // the file shrank under us; the client sees a short body
    iovec out{piece.data(), static_cast<size_t>(n)};
    if (!send_all(fd, &out, 1)) return false;
    done += static_cast<uint64_t>(n);
  }
  return true;
}

bool write_response(int fd, const httplib::Request& req, httplib::Response& res, bool keep_alive) {
  return write_response(fd, req, res, FileBody(), keep_alive);
}

void dispatch(const Router& router, httplib::Request& req, httplib::Response& res, FileBody& file) {
  if (req.method != "GET" && req.method != "HEAD") {
    res.set_header("Allow", "GET, HEAD");
    return set_error(res, 405, "method not allowed");
  }
  const Router::Handler* handler = router.find(req);
  if (handler == nullptr) return set_error(res, 404, "not found");
  try {
    (*handler)(req, res, file);
  } catch (...) {
    res = httplib::Response();
    file.length = 0;
    return set_error(res, 500, "internal error");
  }
  if (res.status == -1) res.status = 200;
  if (res.status >= 400 && res.body.empty())
    set_error(res, res.status, res.status == 404 ? "not found" : "bad request");
}

// The peer's address as text (IPv4-mapped IPv6 addresses as plain IPv4), for the handlers that
// count requests per client.
std::string address_text(const sockaddr_storage& peer) {
  char text[INET6_ADDRSTRLEN] = "";
  if (peer.ss_family == AF_INET) {
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(&peer)->sin_addr, text, sizeof text);
  } else if (peer.ss_family == AF_INET6) {
    const in6_addr& a = reinterpret_cast<const sockaddr_in6*>(&peer)->sin6_addr;
    if (IN6_IS_ADDR_V4MAPPED(&a))
      inet_ntop(AF_INET, a.s6_addr + 12, text, sizeof text);
    else
      inet_ntop(AF_INET6, &a, text, sizeof text);
  }
  return text;
}

}  // namespace

HttpServer::~HttpServer() {
  if (listen_fd_ >= 0) close(listen_fd_);
}

int HttpServer::bind(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return -1;
  int fd = -1;
  for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
    fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    int yes = 1;
    if (fd >= 0 && (setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
                    ::bind(fd, a->ai_addr, a->ai_addrlen) != 0 || listen(fd, 511) != 0)) {
      close(fd);
      fd = -1;
    }
  }
  freeaddrinfo(found);
  if (fd < 0) return -1;
  sockaddr_storage addr{};
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  listen_fd_ = fd;
  return ntohs(addr.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port
                                          : reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
}

void HttpServer::run() {
  for (int i = 0; i < std::max(limits_.threads, 1); ++i) workers_.emplace_back([this] { work(); });
  while (!stopping_) {
    sockaddr_storage peer{};
    socklen_t peer_len = sizeof peer;
    int fd = accept4(listen_fd_, reinterpret_cast<sockaddr*>(&peer), &peer_len, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EMFILE || errno == ENFILE || errno == ENOMEM) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (errno == EINVAL || errno == EBADF) break;  // the listener was shut down
      continue;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back({fd, address_text(peer)});
    queued_.notify_one();
  }
  stopping_ = true;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (int fd : open_) shutdown(fd, SHUT_RDWR);  // wakes the workers blocked in recv
    queued_.notify_all();
  }
  for (std::thread& t : workers_) t.join();
  workers_.clear();
  for (const auto& waiting : queue_) close(waiting.first);
  queue_.clear();
}

void HttpServer::stop() {
  stopping_ = true;
  if (listen_fd_ >= 0) shutdown(listen_fd_, SHUT_RDWR);  // accept() returns with EINVAL
}

void HttpServer::work() {
  for (;;) {
    int fd;
    std::string peer;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      queued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      fd = queue_.front().first;
      peer = std::move(queue_.front().second);
      queue_.pop_front();
      open_.insert(fd);
    }
    serve_connection(fd, peer);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      open_.erase(fd);
    }
    close(fd);
  }
}

void HttpServer::serve_connection(int fd, const std::string& peer) {
  int yes = 1;
  // Without it, a reply that leaves in two pieces (head, then a file) waits for the client's
  // delayed acknowledgement.
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  set_timeout(fd, SO_RCVTIMEO, limits_.idle_seconds);
  set_timeout(fd, SO_SNDTIMEO, limits_.write_seconds);
  std::vector<char> buf(buffer_bytes);
  size_t have = 0;
  for (int served = 0; served < limits_.max_requests_per_connection && !stopping_; ++served) {
    size_t head_bytes;
    // A request must arrive whole within head_seconds of its first byte, however slowly it
    // trickles in; each read alone would wait only for the next byte.
    auto first_byte = std::chrono::steady_clock::now();
    auto too_slow = [&] { return std::chrono::steady_clock::now() - first_byte > std::chrono::seconds(limits_.head_seconds); };
    while ((head_bytes = request_head_length(buf.data(), have)) == 0) {
      int refusal = incomplete_head_refusal(buf.data(), have);
      if (refusal == 0 && have == buf.size()) refusal = 431;
      if (refusal == 0 && have > 0 && too_slow()) refusal = 408;
      if (refusal != 0) {
        httplib::Response res;
        set_error(res, refusal, refusal == 414 ? "request line too long" : refusal == 408 ? "request too slow" : "request head too large");
        httplib::Request none;
        write_response(fd, none, res, false);
        return close_after_refusal(fd);
      }
      ssize_t n = recv(fd, buf.data() + have, buf.size() - have, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;  // closed, reset, or idle past the keep-alive time
      if (have == 0) first_byte = std::chrono::steady_clock::now();
      have += static_cast<size_t>(n);
    }

    httplib::Request req;
    req.remote_addr = peer;
    RequestHead head = parse_request_head(buf.data(), head_bytes, req);
    httplib::Response res;
    if (head.refusal != 0) {
      set_error(res, head.refusal, head.reason);
      write_response(fd, req, res, false);
      return close_after_refusal(fd);
    }
    // A body is read whole (it is small, by the limit) and handed over; no route reads one.
    size_t used = head_bytes + head.body_bytes;
    if (used > buf.size()) buf.resize(used);
    while (have < used) {
      if (too_slow()) return;
      ssize_t n = recv(fd, buf.data() + have, used - have, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      have += static_cast<size_t>(n);
    }
    req.body.assign(buf.data() + head_bytes, head.body_bytes);

    FileBody file;
    dispatch(router_, req, res, file);
    bool keep_alive = head.keep_alive && served + 1 < limits_.max_requests_per_connection && !stopping_;
    if (!write_response(fd, req, res, file, keep_alive) || !keep_alive) return;
    // A pipelined next request may already be in the buffer.
    memmove(buf.data(), buf.data() + used, have - used);
    have -= used;
  }
}

}  // namespace catalogue
