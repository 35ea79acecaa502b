#include "net/download.h"
#include "net/web_protocols.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "fixture_client.h"
#include "fixture_content.h"
#include "temp_path.h"

namespace {

using namespace std::chrono;
using test_support::FixtureUrl;

class RecordingDownload : public net::DownloadListener {
 public:
  void OnDownloadFinished(int result, const std::string* path) override {
    std::lock_guard<std::mutex> lock(mutex_);
    results_.push_back(result);
    paths_.push_back(path ? *path : "<none>");
    changed_.notify_all();
  }
  void OnDownloadProgress(double now, double total) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (now < lastNow_) progressWentBack_ = true;
    lastNow_ = now;
    lastTotal_ = total;
    ++progressCalls_;
    changed_.notify_all();
  }

  int WaitResult(seconds limit = seconds(60)) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, limit, [&] { return !results_.empty(); });
    return results_.empty() ? -1 : results_.back();
  }
  bool WaitProgress(seconds limit = seconds(10)) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return progressCalls_ > 0; });
  }
  std::string LastPath() {
    std::lock_guard<std::mutex> lock(mutex_);
    return paths_.empty() ? "" : paths_.back();
  }
  double lastNow() { std::lock_guard<std::mutex> l(mutex_); return lastNow_; }
  double lastTotal() { std::lock_guard<std::mutex> l(mutex_); return lastTotal_; }
  bool progressWentBack() { std::lock_guard<std::mutex> l(mutex_); return progressWentBack_; }
  int finishedCount() { std::lock_guard<std::mutex> l(mutex_); return int(results_.size()); }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> results_;
  std::vector<std::string> paths_;
  double lastNow_ = 0, lastTotal_ = 0;
  int progressCalls_ = 0;
  bool progressWentBack_ = false;
};

std::vector<unsigned char> Generated(long long from, long long to) {
  std::vector<unsigned char> bytes;
  for (long long i = from; i < to; ++i) bytes.push_back(fixture::GeneratedByte(i));
  return bytes;
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  unsigned char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}

std::unique_ptr<net::DownloadTask> Task(const std::string& url, const std::string& path,
                                        net::DownloadListener* listener) {
  auto task = std::make_unique<net::DownloadTask>();
  task->url = url;
  task->path = path;
  task->listener = listener;
  return task;
}

// Runs a task through StartDownload (which also clears a pause left by an earlier test) and
// waits for its result.
int DownloadToEnd(std::unique_ptr<net::DownloadTask> task, RecordingDownload& listener) {
  net::ThreadList threads;
  net::StartDownload(threads, std::move(task));
  threads.JoinAll();
  return listener.WaitResult(seconds(1));
}

TEST(Download, ResumesAHalfWrittenFileAndCountsOnlyTheRest) {
  const long long size = 3 * 1024 * 1024 + 7;
  std::string path = test_support::TempPath("resume.bin");
  WriteFile(path, Generated(0, size / 2));
  RecordingDownload listener;
  net::ThreadList threads;
  net::StartDownload(threads, Task(FixtureUrl("/gen/" + std::to_string(size)), path, &listener));
  EXPECT_EQ(listener.WaitResult(), net::kDownloadSucceeded);
  threads.JoinAll();
  EXPECT_EQ(listener.LastPath(), path);
  EXPECT_TRUE(ReadFile(path) == Generated(0, size)) << "the resumed file differs from the source";
  EXPECT_EQ(listener.lastTotal(), double(size - size / 2));
  EXPECT_EQ(listener.lastNow(), double(size - size / 2));
  EXPECT_FALSE(listener.progressWentBack());
  std::remove(path.c_str());
}

TEST(Download, PauseKeepsThePartialFileAndContinueCompletesIt) {
  const long long size = 4 * 1024 * 1024;
  std::string url = FixtureUrl("/gen/" + std::to_string(size) + "?rate=2097152");
  std::string path = test_support::TempPath("pause.bin");
  std::remove(path.c_str());
  net::ThreadList threads;
  RecordingDownload first;
  net::StartDownload(threads, Task(url, path, &first));
  ASSERT_TRUE(first.WaitProgress());
  std::this_thread::sleep_for(milliseconds(300));
  net::CancelDownloads();
  EXPECT_EQ(first.WaitResult(), net::kDownloadCancelled);
  EXPECT_EQ(first.LastPath(), "<none>");
  threads.JoinAll();
  std::vector<unsigned char> partial = ReadFile(path);
  ASSERT_GT(partial.size(), 0u);
  ASSERT_LT(partial.size(), size_t(size));
  EXPECT_TRUE(partial == Generated(0, partial.size()));

  RecordingDownload second;
  net::StartDownload(threads, Task(url, path, &second));
  EXPECT_EQ(second.WaitResult(), net::kDownloadSucceeded);
  threads.JoinAll();
  EXPECT_TRUE(ReadFile(path) == Generated(0, size));
  EXPECT_EQ(second.lastTotal(), double(size - partial.size()));
  std::remove(path.c_str());
}

TEST(Download, AServerThatIgnoresTheRangeFailsAndLeavesThePartialFileAlone) {
  const long long size = 1024 * 1024;
  std::string path = test_support::TempPath("norange.bin");
  std::vector<unsigned char> half = Generated(0, size / 2);
  WriteFile(path, half);
  RecordingDownload listener;
  net::ThreadList threads;
  net::StartDownload(threads, Task(FixtureUrl("/gen/" + std::to_string(size) + "?norange=1"), path, &listener));
  EXPECT_EQ(listener.WaitResult(), net::kDownloadFailed);
  threads.JoinAll();
  EXPECT_TRUE(ReadFile(path) == half);
  std::remove(path.c_str());
}

TEST(Download, AMissingFolderFailsWithoutARequest) {
  test_support::ResetFixture();
  RecordingDownload listener;
  std::string path = test_support::TempPath("no_such_folder") + "/inner/file.bin";
  EXPECT_EQ(net::RunDownload(Task(FixtureUrl("/gen/100"), path, &listener)), net::kDownloadFailed);
  EXPECT_EQ(listener.WaitResult(), net::kDownloadFailed);
  EXPECT_EQ(test_support::FixtureRequestCount(), 0);
}

TEST(Download, OnePauseStopsEveryRunningDownload) {
  std::string url = FixtureUrl("/gen/8388608?rate=1048576");
  std::string pathA = test_support::TempPath("all_a.bin"), pathB = test_support::TempPath("all_b.bin");
  std::remove(pathA.c_str());
  std::remove(pathB.c_str());
  RecordingDownload a, b;
  net::ThreadList pageA, pageB;  // as if two pages had started them
  net::StartDownload(pageA, Task(url, pathA, &a));
  net::StartDownload(pageB, Task(url, pathB, &b));
  ASSERT_TRUE(a.WaitProgress());
  ASSERT_TRUE(b.WaitProgress());
  net::CancelDownloads();
  EXPECT_EQ(a.WaitResult(), net::kDownloadCancelled);
  EXPECT_EQ(b.WaitResult(), net::kDownloadCancelled);
  pageA.JoinAll();
  pageB.JoinAll();
  std::remove(pathA.c_str());
  std::remove(pathB.c_str());
}

TEST(Download, FailuresAreReportedAsFailures) {
  std::string path = test_support::TempPath("fail.bin");
  struct Case { std::string url, path; };
  for (const Case& c : {Case{"", path}, Case{FixtureUrl("/gen/10"), ""},
                        Case{FixtureUrl("/files/no-such-file.exe"), path},  // a 404 page is no installer
                        Case{"http://127.0.0.1:1/x.exe", path}}) {
    std::remove(path.c_str());
    RecordingDownload listener;
    EXPECT_EQ(DownloadToEnd(Task(c.url, c.path, &listener), listener), net::kDownloadFailed) << c.url;
    EXPECT_EQ(listener.finishedCount(), 1) << c.url;
    EXPECT_EQ(listener.LastPath(), "<none>");
  }
  std::remove(path.c_str());
  EXPECT_EQ(net::RunDownload(Task(FixtureUrl("/gen/10"), path, nullptr)), net::kDownloadFailed);
}

// The worker fetches what later runs elevated: a file: link must not copy a local file into
// the cache (nor ftp: or any other protocol reach a server), whatever the catalogue says.
TEST(Download, OnlyWebAddressesAreFetched) {
  std::string source = test_support::TempPath("local-source.txt");
  WriteFile(source, {'s', 'e', 'c', 'r', 'e', 't'});
  std::string fileUrl = "file://" + std::string(source[0] == '/' ? "" : "/") + source;
  for (char& c : fileUrl)
    if (c == '\\') c = '/';
  std::string path = test_support::TempPath("protocol.bin");
  for (const std::string& url : {fileUrl, std::string("ftp://127.0.0.1:1/x.exe"),
                                 std::string("dict://127.0.0.1:1/x")}) {
    std::remove(path.c_str());
    RecordingDownload listener;
    EXPECT_EQ(DownloadToEnd(Task(url, path, &listener), listener), net::kDownloadFailed) << url;
    EXPECT_TRUE(ReadFile(path).empty()) << url;
  }
  std::remove(path.c_str());
  std::remove(source.c_str());
}

TEST(Download, RedirectsFromHttpsStayOnHttps) {
  EXPECT_STREQ(net::AllowedRedirectProtocols("https://h/x.exe"), "https");
  EXPECT_STREQ(net::AllowedRedirectProtocols("HTTPS://h/x.exe"), "https");
  EXPECT_STREQ(net::AllowedRedirectProtocols("http://h/x.exe"), "http,https");
  EXPECT_STREQ(net::AllowedRedirectProtocols("https:/h"), "http,https");
  EXPECT_STREQ(net::AllowedRedirectProtocols(""), "http,https");
}

#ifndef _WIN32
// Writes are gathered before they reach the disk, so the failure of the last one shows only
// when the file is closed; it must still fail the download.
TEST(Download, AFullDiskIsAFailureEvenForTheLastBytes) {
  RecordingDownload listener;
  EXPECT_EQ(DownloadToEnd(Task(FixtureUrl("/gen/1000"), "/dev/full", &listener), listener), net::kDownloadFailed);
}
#endif

// A fresh download must not write into, or through, whatever someone put at its path
// between the page's removal of the old file and the transfer's start.
TEST(Download, AFileCreatedNewFailsWhereSomethingIsAlreadyThereAndIsWrittenWhereNothingIs) {
  const std::string path = test_support::TempPath("create-new.bin");
  const std::vector<unsigned char> planted = {'p', 'l', 'a', 'n', 't'};
  WriteFile(path, planted);
  RecordingDownload refused;
  auto task = Task(FixtureUrl("/gen/3000"), path, &refused);
  task->createNew = true;
  EXPECT_EQ(DownloadToEnd(std::move(task), refused), net::kDownloadFailed);
  EXPECT_TRUE(ReadFile(path) == planted) << "the file that was there is left as it was";
  std::remove(path.c_str());

  RecordingDownload made;
  task = Task(FixtureUrl("/gen/3000"), path, &made);
  task->createNew = true;
  EXPECT_EQ(DownloadToEnd(std::move(task), made), net::kDownloadSucceeded);
  EXPECT_TRUE(ReadFile(path) == Generated(0, 3000));
  std::remove(path.c_str());
}

TEST(Download, AnUntrustedCertificateIsRefused) {
  std::string body;
  // The TLS server is up and serves the file to a client that skips the checks ...
  ASSERT_TRUE(test_support::FetchDirect(test_support::TlsFixtureUrl("/hello.txt"), body, true));
  ASSERT_EQ(body, "hello over tls\n");
  // ... but the download worker, which fetches what later runs elevated, refuses it.
  std::string path = test_support::TempPath("tls.bin");
  std::remove(path.c_str());
  RecordingDownload listener;
  EXPECT_EQ(DownloadToEnd(Task(test_support::TlsFixtureUrl("/hello.txt"), path, &listener), listener),
            net::kDownloadFailed);
  EXPECT_TRUE(ReadFile(path).empty());
  std::remove(path.c_str());
}

}  // namespace
