// The probes against servers on 127.0.0.1: the tests' fixture server and loopback servers
// that answer, act as a proxy, or accept and never answer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "functions/network_tools.h"
#include "loopback_server.h"

namespace {

using functions::NetworkTools;
using functions::ProbeTarget;
using test_support::LoopbackServer;

unsigned short FixturePort() {
  const char* port = std::getenv("FIXTURE_PORT");
  return static_cast<unsigned short>(port ? std::atoi(port) : 0);
}

NetworkTools ToolsProbing(const std::string& host, unsigned short port = 80,
                          const std::string& proxyProbeUrl = "") {
  ProbeTarget probe;
  probe.host = host;
  probe.webPort = port;
  probe.proxyProbeUrl = proxyProbeUrl;
  return NetworkTools(probe);
}

double SecondsSince(std::chrono::steady_clock::time_point started) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

TEST(ProbeDefaults, TheProgramProbesAWellKnownChineseSite) {
  EXPECT_EQ(ProbeTarget().host, "www.baidu.com");
  EXPECT_EQ(ProbeTarget().webPort, 80);
}

TEST(NameResolution, AKnownNameResolvesAndAMalformedOneDoesNot) {
  EXPECT_TRUE(ToolsProbing("localhost").CanResolveNames());
  EXPECT_TRUE(ToolsProbing("127.0.0.1").CanResolveNames());
  // A label longer than DNS allows fails before any query could leave the machine.
  EXPECT_FALSE(ToolsProbing(std::string(70, 'x') + ".invalid").CanResolveNames());
}

TEST(WebReach, AnyAnswerFromTheSiteCounts) {
  ASSERT_NE(FixturePort(), 0) << "run under scripts/with-fixture-server";
  EXPECT_TRUE(ToolsProbing("127.0.0.1", FixturePort()).CanReachWeb());
  // The fixture answers "/" with 404: the status is not looked at.
  LoopbackServer server(LoopbackServer::kAnswer);
  EXPECT_TRUE(ToolsProbing("127.0.0.1", server.Port()).CanReachWeb());
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].compare(0, 16, "GET / HTTP/1.1\r\n"), 0) << server.Requests()[0];
  EXPECT_NE(server.Requests()[0].find("User-Agent: A WinHTTP Example Program/1.0\r\n"),
            std::string::npos);
}

TEST(WebReach, ARefusedOrSilentSiteIsAFaultWithinTheTimeOut) {
  EXPECT_FALSE(ToolsProbing("127.0.0.1", LoopbackServer::ClosedPort()).CanReachWeb());
  LoopbackServer silent(LoopbackServer::kHold);
  auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(ToolsProbing("127.0.0.1", silent.Port()).CanReachWeb());
  EXPECT_LT(SecondsSince(started), NetworkTools::kWebTimeoutMs / 1000.0 + 3);
}

TEST(ProxyProbe, AProxyThatAnswersWorksAndIsAskedForTheProbePage) {
  LoopbackServer proxy(LoopbackServer::kAnswer);
  std::string page = "http://127.0.0.1:" + std::to_string(LoopbackServer::ClosedPort()) + "/";
  std::string server = "localhost:" + std::to_string(proxy.Port());
  EXPECT_TRUE(ToolsProbing("127.0.0.1", 80, page).IsProxyWorking(server));
  ASSERT_EQ(proxy.Requests().size(), 1u);
  std::string request = proxy.Requests()[0];
  EXPECT_EQ(request.compare(0, page.size() + 4, "GET " + page), 0) << request;
  EXPECT_NE(request.find("\r\nProxy-Connection: Keep-Alive\r\n"), std::string::npos) << request;
}

TEST(ProxyProbe, ByDefaultTheSiteIsFetchedOverHttpsThroughTheProxy) {
  LoopbackServer proxy(LoopbackServer::kAnswer);  // refuses the tunnel
  std::string server = "localhost:" + std::to_string(proxy.Port());
  EXPECT_FALSE(ToolsProbing("127.0.0.1").IsProxyWorking(server));
  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0].compare(0, 22, "CONNECT 127.0.0.1:443 "), 0) << proxy.Requests()[0];
}

TEST(ProxyProbe, BadTextsAreFaultsWithoutAnyConnection) {
  LoopbackServer proxy(LoopbackServer::kAnswer);
  std::string port = std::to_string(proxy.Port());
  NetworkTools tools = ToolsProbing("127.0.0.1", 80, "http://127.0.0.1:1/");
  EXPECT_FALSE(tools.IsProxyWorking("127.0.0.1:" + port));
  EXPECT_FALSE(tools.IsProxyWorking("localhost"));
  EXPECT_FALSE(tools.IsProxyWorking("a.b:" + port));
  EXPECT_FALSE(tools.IsProxyWorking(""));
  EXPECT_TRUE(proxy.Requests().empty());
}

TEST(ProxyProbe, ARefusingOrSilentProxyIsAFaultWithinTheTimeOut) {
  NetworkTools tools = ToolsProbing("127.0.0.1", 80, "http://127.0.0.1:1/");
  EXPECT_FALSE(tools.IsProxyWorking("localhost:" + std::to_string(LoopbackServer::ClosedPort())));
  LoopbackServer silent(LoopbackServer::kHold);
  auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(tools.IsProxyWorking("localhost:" + std::to_string(silent.Port())));
  double took = SecondsSince(started);
  EXPECT_GE(took, NetworkTools::kProxyTotalTimeoutSeconds - 1.0);
  EXPECT_LT(took, NetworkTools::kProxyTotalTimeoutSeconds + 3.0);
}

}  // namespace
