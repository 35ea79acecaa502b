// The download worker resumes with Range requests; these are the answers it relies on.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "test_server.h"

using catalogue_test::TestServer;

namespace {

std::string pattern_bytes(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
  return s;
}

struct HostedFile : ::testing::Test {
  TestServer s;
  std::string bytes = pattern_bytes(3 * 1024 * 1024 + 17);  // larger than one streamed chunk
  void SetUp() override { catalogue_test::write_file(s.files_dir() + "/big/installer.exe", bytes); }
};

}  // namespace

TEST_F(HostedFile, WholeFileWithValidators) {
  auto r = s.get("/files/big/installer.exe");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_EQ(r->body, bytes);
  EXPECT_EQ(r->get_header_value("Accept-Ranges"), "bytes");
  EXPECT_FALSE(r->get_header_value("ETag").empty());
  EXPECT_NE(r->get_header_value("Last-Modified").find("GMT"), std::string::npos);
  EXPECT_EQ(r->get_header_value("Content-Type"), "application/octet-stream");
}

TEST_F(HostedFile, HeadGivesTheLengthWithoutTheBody) {
  auto r = s.client().Head("/files/big/installer.exe");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_EQ(r->get_header_value("Content-Length"), std::to_string(bytes.size()));
  EXPECT_TRUE(r->body.empty());
}

TEST_F(HostedFile, ResumeFromAnOffsetAndAnInnerSlice) {
  auto r = s.get("/files/big/installer.exe", {{"Range", "bytes=1000000-"}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 206);
  EXPECT_EQ(r->body, bytes.substr(1000000));
  EXPECT_EQ(r->get_header_value("Content-Range"),
            "bytes 1000000-" + std::to_string(bytes.size() - 1) + "/" + std::to_string(bytes.size()));
  r = s.get("/files/big/installer.exe", {{"Range", "bytes=5-9"}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 206);
  EXPECT_EQ(r->body, bytes.substr(5, 5));
  EXPECT_EQ(r->get_header_value("Content-Length"), "5");
  r = s.get("/files/big/installer.exe", {{"Range", "bytes=-3"}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->body, bytes.substr(bytes.size() - 3));
}

TEST_F(HostedFile, ARangeBeyondTheEndIs416WithTheSize) {
  auto r = s.get("/files/big/installer.exe", {{"Range", "bytes=" + std::to_string(bytes.size()) + "-"}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 416);
  EXPECT_EQ(r->get_header_value("Content-Range"), "bytes */" + std::to_string(bytes.size()));
}

TEST_F(HostedFile, AStaleIfRangeGetsTheWholeNewFile) {
  std::string etag = s.get("/files/big/installer.exe")->get_header_value("ETag");
  auto r = s.get("/files/big/installer.exe", {{"Range", "bytes=10-"}, {"If-Range", etag}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 206);
  r = s.get("/files/big/installer.exe", {{"Range", "bytes=10-"}, {"If-Range", "\"some-older-version\""}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_EQ(r->body.size(), bytes.size());
  r = s.get("/files/big/installer.exe", {{"If-None-Match", etag}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 304);
}

TEST_F(HostedFile, ReplacingTheFileChangesItsETag) {
  std::string before = s.get("/files/big/installer.exe")->get_header_value("ETag");
  catalogue_test::write_file(s.files_dir() + "/big/installer.exe", bytes + "more");
  EXPECT_NE(s.get("/files/big/installer.exe")->get_header_value("ETag"), before);
}

TEST_F(HostedFile, NothingOutsideTheFilesFolderIsReachable) {
  catalogue_test::write_file(s.dir() + "/secret.txt", "not for download");
  for (const char* path : {"/files/../secret.txt", "/files/%2e%2e/secret.txt", "/files/big/../../secret.txt",
                           "/files/big", "/files/big/", "/files//etc/passwd", "/files/missing.exe"}) {
    auto r = s.get(path);
    ASSERT_TRUE(r) << path;
    EXPECT_EQ(r->status, 404) << path;
    EXPECT_EQ(r->body.find("not for download"), std::string::npos) << path;
  }
}

namespace {

long resident_kib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return atol(line.c_str() + 6);
  return -1;
}

}  // namespace

TEST(HostedLargeFile, IsStreamedNotLoaded) {
  TestServer s;
  const long long size = 384LL * 1024 * 1024;
  std::string path = s.files_dir() + "/big/sparse.bin";
  catalogue_test::write_file(path, "");
  ASSERT_EQ(truncate(path.c_str(), size), 0);  // sparse: reads cost page cache, not disk
  long before = resident_kib();
  long long received = 0;
  auto r = s.client().Get("/files/big/sparse.bin", [&](const char*, size_t n) {
    received += static_cast<long long>(n);
    return true;
  });
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_EQ(received, size);
  // Server and client share this process; a buffered file would add its whole size.
  EXPECT_LT(resident_kib() - before, 96L * 1024) << "resident memory grew by more than a quarter of the file";
}
