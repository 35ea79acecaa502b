#include "net/http_request.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <thread>
#include <mutex>
#include <vector>

#include "fixture_client.h"

namespace {

using namespace std::chrono;
using net::HttpRequest;
using test_support::FixtureUrl;

struct Outcome {
  int kind;
  bool ok;
  bool hadBody;
  std::string body;
  steady_clock::time_point at;
};

// Records every delivery, and whether two deliveries ever ran at the same time.
class RecordingListener : public net::HttpListener {
 public:
  void OnHttpResponse(int kind, bool ok, const std::string* body) override {
    if (++inside_ > 1) overlapped_ = true;
    std::this_thread::sleep_for(milliseconds(deliveryDelayMs));
    if (onDelivery) onDelivery(kind);
    --inside_;
    std::lock_guard<std::mutex> lock(mutex_);
    outcomes_.push_back({kind, ok, body != nullptr, body ? *body : "", steady_clock::now()});
    changed_.notify_all();
  }

  std::vector<Outcome> WaitFor(size_t count, seconds limit = seconds(30)) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, limit, [&] { return outcomes_.size() >= count; });
    return outcomes_;
  }

  bool Overlapped() const { return overlapped_; }
  int deliveryDelayMs = 0;
  std::function<void(int)> onDelivery;

 private:
  std::atomic<int> inside_{0};
  std::atomic<bool> overlapped_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Outcome> outcomes_;
};

std::unique_ptr<HttpRequest> Request(int kind, const std::string& url, net::HttpListener* listener) {
  auto request = std::make_unique<HttpRequest>(kind);
  request->url = url;
  request->listener = listener;
  return request;
}

TEST(HttpRequest, RequestsStartedTogetherTransferOneAtATime) {
  test_support::ResetFixture();
  RecordingListener listener;
  listener.deliveryDelayMs = 50;
  net::ThreadList threads;
  for (int kind = 0; kind < 4; ++kind)
    net::StartRequest(threads, Request(kind, FixtureUrl("/slow?ms=150"), &listener));
  auto outcomes = listener.WaitFor(4);
  threads.JoinAll();
  ASSERT_EQ(outcomes.size(), 4u);
  for (const Outcome& o : outcomes) EXPECT_TRUE(o.ok);
  EXPECT_EQ(test_support::FixtureMaxConcurrent(), 1);
  EXPECT_FALSE(listener.Overlapped());
  EXPECT_EQ(threads.Count(), 0u);
}

TEST(HttpRequest, AListenerCanStartTheNextStepFromItsCallback) {
  RecordingListener listener;
  net::ThreadList threads;
  listener.onDelivery = [&](int kind) {
    if (kind < 5) net::StartRequest(threads, Request(kind + 1, FixtureUrl("/slow?ms=10"), &listener));
  };
  net::StartRequest(threads, Request(3, FixtureUrl("/slow?ms=10"), &listener));
  auto outcomes = listener.WaitFor(3);
  ASSERT_EQ(outcomes.size(), 3u);
  EXPECT_EQ(outcomes[0].kind, 3);
  EXPECT_EQ(outcomes[1].kind, 4);
  EXPECT_EQ(outcomes[2].kind, 5);
  std::this_thread::sleep_for(milliseconds(100));
  threads.JoinAll();
}

TEST(HttpRequest, AServerThatNeverAnswersTimesOutAndTheNextRequestRuns) {
  RecordingListener listener;
  net::ThreadList threads;
  auto started = steady_clock::now();
  net::StartRequest(threads, Request(8, FixtureUrl("/hang"), &listener));
  std::this_thread::sleep_for(milliseconds(300));  // the hanging one holds the lock first
  net::StartRequest(threads, Request(0, FixtureUrl("/slow?ms=1"), &listener));
  auto outcomes = listener.WaitFor(2, seconds(25));
  threads.JoinAll();
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_EQ(outcomes[0].kind, 8);
  EXPECT_FALSE(outcomes[0].ok);
  EXPECT_FALSE(outcomes[0].hadBody);
  double waited = duration<double>(outcomes[0].at - started).count();
  EXPECT_GT(waited, 9.0);
  EXPECT_LT(waited, 14.0);
  EXPECT_EQ(outcomes[1].kind, 0);
  EXPECT_TRUE(outcomes[1].ok);
}

TEST(HttpRequest, StatusIsNotJudgedOnlyTheTransfer) {
  RecordingListener listener;
  net::ThreadList threads;
  net::StartRequest(threads, Request(3, FixtureUrl("/status500"), &listener));
  auto outcomes = listener.WaitFor(1);
  net::StartRequest(threads, Request(4, FixtureUrl("/empty"), &listener));
  outcomes = listener.WaitFor(2);
  threads.JoinAll();
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_TRUE(outcomes[0].ok);
  EXPECT_EQ(outcomes[0].body, "{\"code\":\"500\",\"msg\":\"server error\"}");
  EXPECT_TRUE(outcomes[1].ok);
  EXPECT_TRUE(outcomes[1].hadBody);
  EXPECT_EQ(outcomes[1].body, "");
}

TEST(HttpRequest, AnEmptyUrlFailsAtOnceWithoutWaitingForTheLock) {
  RecordingListener listener;
  net::ThreadList threads;
  net::StartRequest(threads, Request(0, FixtureUrl("/slow?ms=2000"), &listener));
  std::this_thread::sleep_for(milliseconds(300));
  auto started = steady_clock::now();
  net::StartRequest(threads, Request(13, "", &listener));
  auto outcomes = listener.WaitFor(1);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(outcomes[0].kind, 13);
  EXPECT_FALSE(outcomes[0].ok);
  EXPECT_LT(duration<double>(outcomes[0].at - started).count(), 1.0);
  listener.WaitFor(2);
  threads.JoinAll();
}

TEST(HttpRequest, HeaderLinesAreSentAsGiven) {
  RecordingListener listener;
  net::ThreadList threads;
  auto request = Request(8, FixtureUrl("/headers"), &listener);
  request->headers = {"token:abc123", "X-Second: two"};
  net::StartRequest(threads, std::move(request));
  auto outcomes = listener.WaitFor(1);
  threads.JoinAll();
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_NE(outcomes[0].body.find("token:abc123\r\n"), std::string::npos) << outcomes[0].body;
  EXPECT_LT(outcomes[0].body.find("token:abc123"), outcomes[0].body.find("X-Second: two"));
}

TEST(HttpRequest, RepliesAreCappedAtSixteenMebibytes) {
  RecordingListener listener;
  net::ThreadList threads;
  net::StartRequest(threads, Request(0, FixtureUrl("/gen/" + std::to_string(net::kMaxReplyBytes)), &listener));
  auto outcomes = listener.WaitFor(1);
  net::StartRequest(threads, Request(3, FixtureUrl("/gen/" + std::to_string(net::kMaxReplyBytes + 1)), &listener));
  outcomes = listener.WaitFor(2);
  threads.JoinAll();
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_TRUE(outcomes[0].ok);
  EXPECT_EQ(outcomes[0].body.size(), net::kMaxReplyBytes);
  EXPECT_FALSE(outcomes[1].ok);
  EXPECT_FALSE(outcomes[1].hadBody);
}

TEST(HttpRequest, WithoutAListenerNothingIsSent) {
  test_support::ResetFixture();
  EXPECT_FALSE(net::RunRequest(Request(0, FixtureUrl("/slow?ms=1"), nullptr)));
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
}

TEST(HttpRequest, ARefusedConnectionIsAFailedTransfer) {
  RecordingListener listener;
  // Port 1 on loopback: nothing listens there.
  EXPECT_FALSE(net::RunRequest(Request(5, "http://127.0.0.1:1/api", &listener)));
  auto outcomes = listener.WaitFor(1);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_FALSE(outcomes[0].ok);
}

// The catalogue names what the elevated program runs; a server whose certificate is not
// trusted must not be able to supply it, on Windows (where the program checks the chain
// itself) as natively.
TEST(HttpRequest, AServerWithAnUntrustedCertificateSuppliesNothing) {
  std::string body;
  ASSERT_TRUE(test_support::FetchDirect(test_support::TlsFixtureUrl("/hello.txt"), body, true));
  ASSERT_EQ(body, "hello over tls\n") << "the TLS fixture serves a client that skips the checks";
  RecordingListener listener;
  EXPECT_FALSE(net::RunRequest(Request(6, test_support::TlsFixtureUrl("/hello.txt"), &listener)));
  auto outcomes = listener.WaitFor(1);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_FALSE(outcomes[0].ok);
  EXPECT_FALSE(outcomes[0].hadBody);
}

}  // namespace
