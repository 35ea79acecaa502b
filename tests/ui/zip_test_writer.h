#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Writes small zip archives in memory for the reader's tests, and says where each record
// landed so a test can damage exactly one field.
namespace ui_test {

struct ZipTestFile {
  std::string name;
  std::string content;
  bool deflate = false;
};

struct TestZip {
  std::vector<uint8_t> bytes;
  std::vector<size_t> localHeaders;
  std::vector<size_t> data;
  std::vector<size_t> centralHeaders;
  size_t endRecord = 0;
};

TestZip MakeZip(const std::vector<ZipTestFile>& files, const std::string& comment = {});

void Put16(std::vector<uint8_t>* bytes, size_t offset, uint16_t value);
void Put32(std::vector<uint8_t>* bytes, size_t offset, uint32_t value);

// Field offsets inside the records (PKWARE APPNOTE 4.3.7, 4.3.12, 4.3.16).
constexpr size_t kCentralFlags = 8;
constexpr size_t kCentralMethod = 10;
constexpr size_t kCentralCrc = 16;
constexpr size_t kCentralCompressedSize = 20;
constexpr size_t kCentralUncompressedSize = 24;
constexpr size_t kCentralLocalOffset = 42;
constexpr size_t kEndThisDisk = 4;
constexpr size_t kEndEntryCount = 10;
constexpr size_t kEndDirectorySize = 12;
constexpr size_t kEndDirectoryOffset = 16;
constexpr size_t kEndCommentSize = 20;

}  // namespace ui_test
