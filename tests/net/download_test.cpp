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

// Runs a task through StartDownload and waits for its result.
int DownloadToEnd(std::unique_ptr<net::DownloadTask> task, RecordingDownload& listener) {
  net::ThreadList threads;
  net::StartDownload(threads, std::move(task));
  threads.JoinAll();
  return listener.WaitResult(seconds(1));
}

std::vector<unsigned char> GeneratedVersion(long long size, long long version) {
  std::vector<unsigned char> bytes;
  for (long long i = 0; i < size; ++i) bytes.push_back(fixture::GeneratedByte(i, version));
  return bytes;
}

// A task for a file on disk, resumed with the validator the server gave its bytes.
std::unique_ptr<net::DownloadTask> Resume(const std::string& url, const std::string& path,
                                          const std::string& validator,
                                          net::DownloadListener* listener) {
  auto task = Task(url, path, listener);
  task->validator = validator;
  task->control = std::make_shared<net::TransferControl>();
  return task;
}

TEST(Download, ResumesAHalfWrittenFileAndCountsOnlyTheRest) {
  const long long size = 3 * 1024 * 1024 + 7;
  std::string path = test_support::TempPath("resume.bin");
  WriteFile(path, Generated(0, size / 2));
  RecordingDownload listener;
  auto task = Resume(FixtureUrl("/gen/" + std::to_string(size)), path, "\"gen-3145735-v0\"", &listener);
  auto control = task->control;
  EXPECT_EQ(DownloadToEnd(std::move(task), listener), net::kDownloadSucceeded);
  EXPECT_EQ(listener.LastPath(), path);
  EXPECT_TRUE(ReadFile(path) == Generated(0, size)) << "the resumed file differs from the source";
  EXPECT_EQ(listener.lastTotal(), double(size - size / 2));
  EXPECT_EQ(listener.lastNow(), double(size - size / 2));
  EXPECT_FALSE(listener.progressWentBack());
  EXPECT_EQ(control->KeptBytes(), size / 2);
  EXPECT_EQ(control->Validator(), "\"gen-3145735-v0\"");
  std::remove(path.c_str());
}

TEST(Download, PauseKeepsThePartialFileAndContinueCompletesIt) {
  const long long size = 4 * 1024 * 1024;
  std::string url = FixtureUrl("/gen/" + std::to_string(size) + "?rate=2097152");
  std::string path = test_support::TempPath("pause.bin");
  std::remove(path.c_str());
  net::ThreadList threads;
  RecordingDownload first;
  auto task = Task(url, path, &first);
  auto control = std::make_shared<net::TransferControl>();
  task->control = control;
  net::StartDownload(threads, std::move(task));
  ASSERT_TRUE(first.WaitProgress());
  std::this_thread::sleep_for(milliseconds(300));
  control->Stop();
  EXPECT_EQ(first.WaitResult(), net::kDownloadCancelled);
  EXPECT_EQ(first.LastPath(), "<none>");
  threads.JoinAll();
  std::vector<unsigned char> partial = ReadFile(path);
  ASSERT_GT(partial.size(), 0u);
  ASSERT_LT(partial.size(), size_t(size));
  EXPECT_TRUE(partial == Generated(0, partial.size()));
  // What the continue sends as If-Range: the ETag of the bytes kept.
  EXPECT_EQ(control->Validator(), "\"gen-4194304-v0\"");

  RecordingDownload second;
  net::StartDownload(threads, Resume(url, path, control->Validator(), &second));
  EXPECT_EQ(second.WaitResult(), net::kDownloadSucceeded);
  threads.JoinAll();
  EXPECT_TRUE(ReadFile(path) == Generated(0, size));
  EXPECT_EQ(second.lastTotal(), double(size - partial.size()));
  std::remove(path.c_str());
}

// The server's file changed between the pause and the continue: its new ETag is not the one
// the continue sends, so the server sends the whole new file, which replaces the old bytes
// instead of being joined onto them.
TEST(Download, AFileChangedOnTheServerStartsAgainFromZero) {
  const long long size = 1024 * 1024;
  std::string path = test_support::TempPath("changed.bin");
  WriteFile(path, Generated(0, size / 2));
  RecordingDownload listener;
  auto task = Resume(FixtureUrl("/gen/1048576?v=1"), path, "\"gen-1048576-v0\"", &listener);
  auto control = task->control;
  EXPECT_EQ(DownloadToEnd(std::move(task), listener), net::kDownloadSucceeded);
  EXPECT_TRUE(ReadFile(path) == GeneratedVersion(size, 1)) << "old and new bytes were joined";
  EXPECT_EQ(control->KeptBytes(), 0);
  EXPECT_EQ(control->Validator(), "\"gen-1048576-v1\"");
  EXPECT_EQ(listener.lastTotal(), double(size));
  std::remove(path.c_str());
}

// Bytes on disk that no validator vouches for are not taken for the file's start.
TEST(Download, BytesOnDiskWithoutAValidatorAreFetchedAgain) {
  const long long size = 200000;
  std::string path = test_support::TempPath("novalidator.bin");
  WriteFile(path, GeneratedVersion(size / 2, 3));
  RecordingDownload listener;
  auto task = Resume(FixtureUrl("/gen/200000"), path, "", &listener);
  auto control = task->control;
  EXPECT_EQ(DownloadToEnd(std::move(task), listener), net::kDownloadSucceeded);
  EXPECT_TRUE(ReadFile(path) == Generated(0, size));
  EXPECT_EQ(control->KeptBytes(), 0);
  EXPECT_EQ(listener.lastTotal(), double(size));
  std::remove(path.c_str());
}

// A server that ignores ranges answers a resume with the whole file: it replaces the bytes.
TEST(Download, AServerThatIgnoresTheRangeGivesTheWholeFileWhichReplacesThePartialOne) {
  const long long size = 1024 * 1024;
  std::string path = test_support::TempPath("norange.bin");
  WriteFile(path, Generated(0, size / 2));
  RecordingDownload listener;
  auto task = Resume(FixtureUrl("/gen/1048576?norange=1"), path, "\"gen-1048576-v0\"", &listener);
  EXPECT_EQ(DownloadToEnd(std::move(task), listener), net::kDownloadSucceeded);
  EXPECT_TRUE(ReadFile(path) == Generated(0, size));
  EXPECT_EQ(listener.lastTotal(), double(size));
  std::remove(path.c_str());
}

// Continuing a file that is complete already: the server answers 416 with the file's length,
// which is the length on disk, so the download is done and the file left as it is.
TEST(Download, ContinuingACompleteFileIsDoneWithoutAByte) {
  const long long size = 50000;
  std::string path = test_support::TempPath("complete.bin");
  WriteFile(path, Generated(0, size));
  RecordingDownload listener;
  auto task = Resume(FixtureUrl("/gen/50000"), path, "\"gen-50000-v0\"", &listener);
  auto control = task->control;
  EXPECT_EQ(DownloadToEnd(std::move(task), listener), net::kDownloadSucceeded);
  EXPECT_EQ(listener.LastPath(), path);
  EXPECT_TRUE(ReadFile(path) == Generated(0, size));
  EXPECT_EQ(listener.lastTotal(), 0.0);  // no progress: nothing came
  EXPECT_EQ(control->KeptBytes(), 50000);
  EXPECT_EQ(control->Validator(), "\"gen-50000-v0\"");
}

// A file on disk longer than the server's (416 with another length) is not the server's file.
TEST(Download, AFileLongerThanTheServersStartsAgainFromZero) {
  const long long size = 50000;
  std::string path = test_support::TempPath("longer.bin");
  std::vector<unsigned char> longer = Generated(0, size);
  longer.resize(size + 100, 'x');
  WriteFile(path, longer);
  RecordingDownload listener;
  auto task = Resume(FixtureUrl("/gen/50000"), path, "\"gen-50000-v0\"", &listener);
  EXPECT_EQ(DownloadToEnd(std::move(task), listener), net::kDownloadSucceeded);
  EXPECT_TRUE(ReadFile(path) == Generated(0, size));
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

// Each transfer has its own stop: a pause on one page leaves another page's transfer running.
TEST(Download, AStopEndsOnlyItsOwnTransfer) {
  std::string url = FixtureUrl("/gen/2097152?rate=2097152");
  std::string pathA = test_support::TempPath("own_a.bin"), pathB = test_support::TempPath("own_b.bin");
  std::remove(pathA.c_str());
  std::remove(pathB.c_str());
  RecordingDownload a, b;
  net::ThreadList pageA, pageB;  // as if two pages had started them
  auto taskA = Task(url, pathA, &a);
  auto stopA = std::make_shared<net::TransferControl>();
  taskA->control = stopA;
  net::StartDownload(pageA, std::move(taskA));
  net::StartDownload(pageB, Task(url, pathB, &b));
  ASSERT_TRUE(a.WaitProgress());
  ASSERT_TRUE(b.WaitProgress());
  stopA->Stop();
  EXPECT_EQ(a.WaitResult(), net::kDownloadCancelled);
  EXPECT_EQ(b.WaitResult(), net::kDownloadSucceeded);
  pageA.JoinAll();
  pageB.JoinAll();
  EXPECT_TRUE(ReadFile(pathB) == Generated(0, 2097152));
  std::remove(pathA.c_str());
  std::remove(pathB.c_str());
}

// A server that sends a byte a second never trips the stall limit; the bound on the whole
// transfer ends it, and a stop ends it within about a second whatever arrives.
TEST(Download, ASlowLorisEndsAtTheTransfersBoundOrItsStop) {
  std::string path = test_support::TempPath("loris.bin");
  std::remove(path.c_str());
  RecordingDownload bounded;
  auto task = Task(FixtureUrl("/loris?bytes=60"), path, &bounded);
  task->bounds = net::TransferBounds{3, 60, 2};
  auto started = steady_clock::now();
  EXPECT_EQ(DownloadToEnd(std::move(task), bounded), net::kDownloadFailed);
  EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - started).count(), 4000);

  RecordingDownload stopped;
  task = Task(FixtureUrl("/loris?bytes=60"), path, &stopped);
  auto control = std::make_shared<net::TransferControl>();
  task->control = control;
  net::ThreadList threads;
  net::StartDownload(threads, std::move(task));
  std::this_thread::sleep_for(milliseconds(500));
  started = steady_clock::now();
  control->Stop();
  EXPECT_EQ(stopped.WaitResult(seconds(5)), net::kDownloadCancelled);
  EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - started).count(), 2000);
  threads.JoinAll();
  std::remove(path.c_str());
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
