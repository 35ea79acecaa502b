#include "loopback_server.h"

#include <ws2tcpip.h>

namespace test_support {

namespace {

SOCKET ListenOnLoopback(unsigned short& port) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 16) != 0) {
    closesocket(listener);
    return INVALID_SOCKET;
  }
  int length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return listener;
}

std::string ReadHead(SOCKET client) {
  std::string head;
  char chunk[1024];
  while (head.find("\r\n\r\n") == std::string::npos) {
    int got = recv(client, chunk, sizeof chunk, 0);
    if (got <= 0) break;
    head.append(chunk, static_cast<size_t>(got));
  }
  return head;
}

}  // namespace

LoopbackServer::LoopbackServer(Mode mode) : mode_(mode) {
  listener_ = ListenOnLoopback(port_);
  if (listener_ != INVALID_SOCKET) thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  if (thread_.joinable()) thread_.join();
  for (SOCKET held : held_) closesocket(held);
}

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void LoopbackServer::Serve() {
  for (;;) {
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    if (mode_ == kHold) {
      std::lock_guard<std::mutex> hold(lock_);
      held_.push_back(client);
      continue;
    }
    std::string head = ReadHead(client);
    {
      std::lock_guard<std::mutex> hold(lock_);
      requests_.push_back(head);
    }
    std::string reply = head.compare(0, 8, "CONNECT ") == 0
                            ? "HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n"
                            : "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(client, SD_SEND);
    closesocket(client);
  }
}

unsigned short LoopbackServer::ClosedPort() {
  unsigned short port = 0;
  SOCKET listener = ListenOnLoopback(port);
  closesocket(listener);
  return port;
}

}  // namespace test_support
