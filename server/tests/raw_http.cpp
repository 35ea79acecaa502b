#include "raw_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace catalogue_test {

std::string raw_exchange(int port, const std::string& request) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return std::string();
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string reply;
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
    size_t sent = 0;
    char buf[65536];
    // Interleave writing and reading: a server that refuses early answers before it has read
    // everything, and its answer must be collected before the connection is torn down.
    for (int idle = 0; idle < 100;) {
      pollfd p{fd, static_cast<short>(POLLIN | (sent < request.size() ? POLLOUT : 0)), 0};
      if (poll(&p, 1, 50) <= 0) {
        ++idle;
        continue;
      }
      if (p.revents & POLLIN) {
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        reply.append(buf, static_cast<size_t>(n));
        if (reply.find("\r\n\r\n") != std::string::npos && sent >= request.size()) idle = 90;
        continue;
      }
      if (p.revents & POLLOUT) {
        ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
          sent = request.size();  // the server stopped reading; keep collecting its answer
          continue;
        }
        sent += static_cast<size_t>(n);
      }
      if (p.revents & (POLLERR | POLLHUP)) break;
    }
  }
  close(fd);
  return reply;
}

int raw_status(const std::string& response) {
  if (response.rfind("HTTP/1.", 0) != 0 || response.size() < 12) return 0;
  return atoi(response.substr(9, 3).c_str());
}

}  // namespace catalogue_test
