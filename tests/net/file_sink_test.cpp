#include "net/file_sink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "temp_path.h"

namespace {

TEST(FileSink, PiecesOfAnySizeArriveInOrder) {
  std::string path = test_support::TempPath("sink.bin");
  std::string expected;
  {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    net::FileSink sink(file, 1000);
    // Pieces smaller than, equal to and larger than the buffer, and empty ones.
    for (size_t size : {1u, 999u, 1000u, 0u, 2500u, 7u, 1000u, 3u}) {
      std::string piece;
      for (size_t i = 0; i < size; ++i) piece += static_cast<char>('a' + (expected.size() + i) % 23);
      ASSERT_TRUE(sink.Write(piece.data(), piece.size()));
      expected += piece;
    }
    EXPECT_TRUE(sink.Finish());
    EXPECT_TRUE(sink.Finish());  // once is enough; again changes nothing
    EXPECT_FALSE(sink.Write("x", 1));
    std::fclose(file);
  }
  EXPECT_EQ(test_support::ReadWholeFile(path), expected);
  std::remove(path.c_str());
}

TEST(FileSink, FinishingWithoutWritesLeavesAnEmptyFile) {
  std::string path = test_support::TempPath("sink_empty.bin");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  {
    net::FileSink sink(file, 64);
  }  // the destructor finishes
  std::fclose(file);
  EXPECT_EQ(test_support::ReadWholeFile(path), "");
  std::remove(path.c_str());
}

#ifndef _WIN32
TEST(FileSink, AFailedWriteIsReportedAndStopsTheRest) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  std::setvbuf(full, nullptr, _IONBF, 0);
  net::FileSink sink(full, 16);
  std::string block(16, 'z');
  bool refused = false;
  for (int i = 0; i < 10 && !refused; ++i) refused = !sink.Write(block.data(), block.size());
  EXPECT_TRUE(refused);
  EXPECT_FALSE(sink.Finish());
  std::fclose(full);
}
#endif

}  // namespace
