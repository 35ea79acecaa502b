// The server's HTTP/1.1 handling on the wire: framing, methods, versions and shutdown, as
// clients and caches in front of it exercise them.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <poll.h>

#include <chrono>
#include <thread>

#include "http/http_server.h"

#include "raw_http.h"
#include "test_server.h"

using catalogue_test::raw_exchange;
using catalogue_test::raw_status;
using catalogue_test::TestServer;

namespace {

std::string header_of(const std::string& response, const std::string& name) {
  size_t at = response.find("\r\n" + name + ": ");
  if (at == std::string::npos || at > response.find("\r\n\r\n")) return std::string();
  at += name.size() + 4;
  return response.substr(at, response.find("\r\n", at) - at);
}

std::string body_of(const std::string& response) {
  size_t at = response.find("\r\n\r\n");
  return at == std::string::npos ? std::string() : response.substr(at + 4);
}

// Splits back-to-back responses that carry Content-Length (or none for 304).
std::vector<std::string> responses_in(std::string stream) {
  std::vector<std::string> out;
  while (!stream.empty()) {
    size_t head_end = stream.find("\r\n\r\n");
    if (head_end == std::string::npos) break;
    std::string length = header_of(stream.substr(0, head_end + 4), "Content-Length");
    size_t total = head_end + 4 + (length.empty() ? 0 : std::stoul(length));
    out.push_back(stream.substr(0, total));
    stream.erase(0, total);
  }
  return out;
}

const char* close_ = "Connection: close\r\n\r\n";

}  // namespace

TEST(HttpHandling, PipelinedRequestsAreAnsweredInOrderWithTheirOwnBodies) {
  TestServer s;
  std::string runtime = s.get("/api/dll/files/runtime")->body;
  std::string dx = s.get("/api/dll/files/dx")->body;
  std::string stream = raw_exchange(s.port(), "GET /api/dll/files/runtime HTTP/1.1\r\nHost: x\r\n\r\n"
                                              "POST /api/dll/files/dx HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello"
                                              "GET /api/dll/files/dx HTTP/1.1\r\nHost: x\r\n" + std::string(close_));
  std::vector<std::string> replies = responses_in(stream);
  ASSERT_EQ(replies.size(), 3u) << stream.substr(0, 300);
  EXPECT_EQ(raw_status(replies[0]), 200);
  EXPECT_EQ(body_of(replies[0]), runtime);
  EXPECT_EQ(header_of(replies[0], "Connection"), "keep-alive");
  EXPECT_EQ(raw_status(replies[1]), 405) << "the body of the refused request was read past, not taken as a request";
  EXPECT_EQ(header_of(replies[1], "Allow"), "GET, HEAD");
  EXPECT_EQ(raw_status(replies[2]), 200);
  EXPECT_EQ(body_of(replies[2]), dx);
  EXPECT_EQ(header_of(replies[2], "Connection"), "close");
}

TEST(HttpHandling, HeadAndNotModifiedCarryNoBody) {
  TestServer s;
  auto get = s.get("/api/dll/files/system");
  ASSERT_TRUE(get);
  std::string head = raw_exchange(s.port(), "HEAD /api/dll/files/system HTTP/1.1\r\nHost: x\r\n" + std::string(close_));
  EXPECT_EQ(raw_status(head), 200);
  EXPECT_EQ(header_of(head, "Content-Length"), std::to_string(get->body.size()));
  EXPECT_EQ(header_of(head, "ETag"), get->get_header_value("ETag"));
  EXPECT_EQ(body_of(head), "");
  std::string not_modified = raw_exchange(s.port(), "GET /api/dll/files/system HTTP/1.1\r\nHost: x\r\nIf-None-Match: " +
                                                        get->get_header_value("ETag") + "\r\n" + close_);
  EXPECT_EQ(raw_status(not_modified), 304);
  EXPECT_EQ(header_of(not_modified, "Content-Length"), "");
  EXPECT_EQ(body_of(not_modified), "");
  // A hosted file's HEAD gives its size without sending it.
  std::string file = raw_exchange(s.port(), "HEAD /files/bin/setup.exe HTTP/1.1\r\nHost: x\r\n" + std::string(close_));
  EXPECT_EQ(raw_status(file), 200);
  EXPECT_EQ(header_of(file, "Content-Length"), "27");
  EXPECT_EQ(body_of(file), "");
}

TEST(HttpHandling, FramingThatCouldBeReadTwoWaysIsRefusedAndTheConnectionClosed) {
  TestServer s;
  struct Case {
    std::string request;
    int status;
  } cases[] = {
      {"GET /api/dll/files/dx HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 400},
      {"GET /api/dll/files/dx HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 1\r\n\r\nx", 400},
      {"GET /api/dll/files/dx HTTP/1.1\r\nContent-Length: 1x\r\n\r\n", 400},
      {"GET /api/dll/files/dx HTTP/1.1\r\nContent-Length: 100000\r\n\r\n", 413},
      {"GET /api/dll/files/dx HTTP/1.1\r\n Folded: header\r\n\r\n", 400},
      {"GET api/dll/files/dx HTTP/1.1\r\n\r\n", 400},
      {"GET * HTTP/1.1\r\n\r\n", 400},
      {"GET /api/dll/files/dx HTTP/2.0\r\n\r\n", 400},
      {"G(T /api/dll/files/dx HTTP/1.1\r\n\r\n", 400},
  };
  for (const Case& c : cases) {
    // A second request behind the bad one must not be answered: the connection is closed.
    std::string reply = raw_exchange(s.port(), c.request + "GET /api/dll/files/dx HTTP/1.1\r\n\r\n");
    EXPECT_EQ(raw_status(reply), c.status) << c.request;
    EXPECT_EQ(header_of(reply, "Connection"), "close") << c.request;
    EXPECT_EQ(responses_in(reply).size(), 1u) << c.request;
    EXPECT_NE(body_of(reply).find("\"code\":\"" + std::to_string(c.status) + "\""), std::string::npos) << c.request;
  }
}

TEST(HttpHandling, Http10GetsItsReplyAndTheConnectionClosed) {
  TestServer s;
  std::string reply = raw_exchange(s.port(), "GET /api/dll/files/dx HTTP/1.0\r\n\r\nGET /api/dll/files/dx HTTP/1.0\r\n\r\n");
  EXPECT_EQ(raw_status(reply), 200);
  EXPECT_EQ(header_of(reply, "Connection"), "close");
  EXPECT_EQ(responses_in(reply).size(), 1u);
}

TEST(HttpHandling, StoppingDoesNotWaitForIdleConnections) {
  TestServer s;
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(s.port()));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  std::string partial = "GET /api/dll/files/dx HTTP/1.1\r\nHost:";  // a worker now waits for the rest
  ASSERT_EQ(send(fd, partial.data(), partial.size(), 0), static_cast<ssize_t>(partial.size()));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  auto before = std::chrono::steady_clock::now();
  s.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
  char c;
  EXPECT_LE(recv(fd, &c, 1, 0), 0) << "the connection was closed";
  close(fd);
  s.start();  // and it serves again on the same port
  EXPECT_EQ(s.get("/api/dll/files/dx")->status, 200);
}

namespace {

// The connection loop alone, with short limits, on a loopback port.
struct ShortLimits : ::testing::Test {
  catalogue::Router router;
  std::unique_ptr<catalogue::HttpServer> http;
  std::thread thread;
  int port = -1;

  void SetUp() override {
    router.exact("/x", [](const httplib::Request&, httplib::Response& res) { res.set_content("ok", "text/plain"); });
    catalogue::HttpLimits limits;
    limits.threads = 2;
    limits.idle_seconds = 1;
    limits.head_seconds = 1;
    http = std::make_unique<catalogue::HttpServer>(router, limits);
    port = http->bind("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    thread = std::thread([this] { http->run(); });
  }
  void TearDown() override {
    http->stop();
    thread.join();
  }

  int connected() const {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    return fd;
  }
};

// What the server sends until it closes, while `trickle` (if any) is sent a byte every 200 ms.
std::string read_until_closed(int fd, const std::string& trickle, std::chrono::seconds give_up) {
  std::string got;
  size_t sent = 0;
  auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < give_up) {
    if (sent < trickle.size() && send(fd, trickle.data() + sent, 1, MSG_NOSIGNAL) == 1) ++sent;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    char buf[4096];
    ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
  }
  return got;
}

}  // namespace

TEST_F(ShortLimits, ARequestTricklingInIsRefusedWhenItsTimeIsUp) {
  int fd = connected();
  auto start = std::chrono::steady_clock::now();
  std::string got = read_until_closed(fd, "GET /x HTTP/1.1\r\nX-Slow: " + std::string(100, 's'), std::chrono::seconds(5));
  close(fd);
  EXPECT_EQ(raw_status(got), 408) << got;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(ShortLimits, ABodyTricklingInIsCutOffWhenItsTimeIsUp) {
  int fd = connected();
  std::string head = "GET /x HTTP/1.1\r\nContent-Length: 100\r\n\r\n";
  ASSERT_EQ(send(fd, head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
  auto start = std::chrono::steady_clock::now();
  std::string got = read_until_closed(fd, std::string(100, 'b'), std::chrono::seconds(5));
  close(fd);
  EXPECT_EQ(got, "") << "no answer to a request that never arrived whole";
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(ShortLimits, AnIdleKeptAliveConnectionIsClosed) {
  int fd = connected();
  std::string request = "GET /x HTTP/1.1\r\n\r\n";
  ASSERT_EQ(send(fd, request.data(), request.size(), 0), static_cast<ssize_t>(request.size()));
  auto start = std::chrono::steady_clock::now();
  std::string got = read_until_closed(fd, "", std::chrono::seconds(5));
  close(fd);
  EXPECT_EQ(raw_status(got), 200);
  EXPECT_NE(got.find("Connection: keep-alive"), std::string::npos);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}
