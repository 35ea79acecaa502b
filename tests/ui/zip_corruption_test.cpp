// Damaged archives: each one must be refused with a status, never crash or read outside
// the buffer (AddressSanitizer watches the latter).
#include <gtest/gtest.h>

#include <string>

#include "ui/zip_archive.h"
#include "zip_test_writer.h"

namespace DuiLib {
namespace {

using namespace ui_test;

constexpr size_t kLimit = 1 << 20;
const std::string kText = "<Window><VerticalLayout/></Window> repeated text repeated text";

TestZip OneEntry(bool deflate) { return MakeZip({{"a.xml", kText, deflate}}); }

ZipStatus OpenStatus(const std::vector<uint8_t>& bytes) {
  ZipArchive archive;
  return archive.Open(bytes.data(), bytes.size());
}

ZipStatus ExtractStatus(const std::vector<uint8_t>& bytes, size_t limit = kLimit) {
  ZipArchive archive;
  const ZipStatus open = archive.Open(bytes.data(), bytes.size());
  if (open != ZipStatus::kOk) return open;
  std::vector<uint8_t> out = {1, 2, 3};
  const ZipStatus status = archive.Extract(archive.entries().at(0), limit, &out);
  if (status != ZipStatus::kOk) EXPECT_TRUE(out.empty());
  return status;
}

TEST(ZipCorruption, NothingThatIsNotAnArchiveOpens) {
  ZipArchive archive;
  EXPECT_EQ(archive.Open(nullptr, 0), ZipStatus::kNoEndRecord);
  const std::vector<uint8_t> text(100, 'x');
  EXPECT_EQ(archive.Open(text.data(), text.size()), ZipStatus::kNoEndRecord);
  EXPECT_FALSE(archive.IsOpen());
  EXPECT_EQ(archive.Find("a.xml"), nullptr);
}

TEST(ZipCorruption, EveryTruncationIsRefused) {
  const TestZip zip = MakeZip({{"a.xml", kText, true}, {"b.png", "PNG", false}});
  for (size_t size = 0; size < zip.bytes.size(); ++size) {
    std::vector<uint8_t> cut(zip.bytes.begin(), zip.bytes.begin() + size);
    EXPECT_NE(OpenStatus(cut), ZipStatus::kOk) << "size " << size;
  }
}

TEST(ZipCorruption, EndRecordFieldsOutsideTheBuffer) {
  TestZip zip = OneEntry(true);
  std::vector<uint8_t> bytes = zip.bytes;
  Put32(&bytes, zip.endRecord + kEndDirectoryOffset, 0x7FFFFFF0);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kBadCentralDirectory);

  bytes = zip.bytes;
  Put32(&bytes, zip.endRecord + kEndDirectorySize, static_cast<uint32_t>(zip.bytes.size()));
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kBadCentralDirectory);

  bytes = zip.bytes;  // more entries than the directory holds
  Put16(&bytes, zip.endRecord + kEndEntryCount, 2);
  Put16(&bytes, zip.endRecord + kEndEntryCount - 2, 2);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kBadCentralDirectory);

  bytes = zip.bytes;  // a comment longer than what follows the record
  Put16(&bytes, zip.endRecord + kEndCommentSize, 10);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kNoEndRecord);
}

TEST(ZipCorruption, SplitAndZip64ArchivesAreRefused) {
  TestZip zip = OneEntry(false);
  std::vector<uint8_t> bytes = zip.bytes;
  Put16(&bytes, zip.endRecord + kEndThisDisk, 1);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kMultiDisk);

  bytes = zip.bytes;
  Put32(&bytes, zip.endRecord + kEndDirectoryOffset, 0xFFFFFFFF);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kZip64);

  bytes = zip.bytes;
  Put32(&bytes, zip.centralHeaders[0] + kCentralUncompressedSize, 0xFFFFFFFF);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kZip64);
}

TEST(ZipCorruption, MalformedCentralHeaders) {
  TestZip zip = OneEntry(false);
  std::vector<uint8_t> bytes = zip.bytes;
  bytes[zip.centralHeaders[0]] = 'X';
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kBadCentralDirectory);

  bytes = zip.bytes;  // name length running past the directory
  Put16(&bytes, zip.centralHeaders[0] + 28, 200);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kBadCentralDirectory);

  bytes = zip.bytes;
  Put16(&bytes, zip.centralHeaders[0] + 28, 0);
  EXPECT_EQ(OpenStatus(bytes), ZipStatus::kBadCentralDirectory);
}

TEST(ZipCorruption, LocalHeaderAndDataOutsideTheBuffer) {
  TestZip zip = OneEntry(false);
  std::vector<uint8_t> bytes = zip.bytes;
  Put32(&bytes, zip.centralHeaders[0] + kCentralLocalOffset, 0x7FFFFFF0);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kBadLocalHeader);

  bytes = zip.bytes;
  bytes[zip.localHeaders[0] + 1] = 'X';
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kBadLocalHeader);

  bytes = zip.bytes;  // local extra field length pushes the data past the end
  Put16(&bytes, zip.localHeaders[0] + 28, 0xFFFF);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kDataOutOfBounds);

  bytes = zip.bytes;
  Put32(&bytes, zip.centralHeaders[0] + kCentralCompressedSize, 0x7FFFFFF0);
  Put32(&bytes, zip.centralHeaders[0] + kCentralUncompressedSize, 0x7FFFFFF0);
  EXPECT_EQ(ExtractStatus(bytes, 0xFFFFFFFF), ZipStatus::kDataOutOfBounds);
}

TEST(ZipCorruption, DeclaredSizeAboveTheLimitIsRefusedBeforeDecoding) {
  TestZip zip = OneEntry(true);
  std::vector<uint8_t> bytes = zip.bytes;
  EXPECT_EQ(ExtractStatus(bytes, kText.size()), ZipStatus::kOk);
  EXPECT_EQ(ExtractStatus(bytes, kText.size() - 1), ZipStatus::kTooLarge);
  // 4 GiB declared: refused by the limit, nothing is allocated.
  Put32(&bytes, zip.centralHeaders[0] + kCentralUncompressedSize, 0xFFFFFFFE);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kTooLarge);
}

TEST(ZipCorruption, DeclaredSizeDifferentFromDecodedSize) {
  TestZip zip = OneEntry(true);
  std::vector<uint8_t> bytes = zip.bytes;
  Put32(&bytes, zip.centralHeaders[0] + kCentralUncompressedSize,
        static_cast<uint32_t>(kText.size() - 1));
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kSizeMismatch);
  Put32(&bytes, zip.centralHeaders[0] + kCentralUncompressedSize,
        static_cast<uint32_t>(kText.size() + 1));
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kSizeMismatch);

  TestZip stored = OneEntry(false);
  bytes = stored.bytes;
  Put32(&bytes, stored.centralHeaders[0] + kCentralUncompressedSize, 3);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kSizeMismatch);
}

TEST(ZipCorruption, BrokenDeflateStreams) {
  TestZip zip = OneEntry(true);
  std::vector<uint8_t> bytes = zip.bytes;
  bytes[zip.data[0]] = 0xFF;  // block type 3 does not exist
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kCorruptData);

  bytes = zip.bytes;  // the stream is cut short
  Put32(&bytes, zip.centralHeaders[0] + kCentralCompressedSize, 5);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kCorruptData);

  bytes = zip.bytes;
  Put32(&bytes, zip.centralHeaders[0] + kCentralCompressedSize, 0);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kCorruptData);
}

TEST(ZipCorruption, WrongCrcIsRefused) {
  for (bool deflate : {false, true}) {
    TestZip zip = OneEntry(deflate);
    zip.bytes[zip.centralHeaders[0] + kCentralCrc] ^= 1;
    EXPECT_EQ(ExtractStatus(zip.bytes), ZipStatus::kCrcMismatch) << "deflate " << deflate;
  }
  // Damaged stored content; the directory still holds the original's CRC.
  TestZip stored = OneEntry(false);
  stored.bytes[stored.data[0] + 3] ^= 0x20;
  EXPECT_EQ(ExtractStatus(stored.bytes), ZipStatus::kCrcMismatch);
}

TEST(ZipCorruption, EncryptedAndUnknownMethodsAreRefused) {
  TestZip zip = OneEntry(false);
  std::vector<uint8_t> bytes = zip.bytes;
  Put16(&bytes, zip.centralHeaders[0] + kCentralFlags, 1);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kEncrypted);
  Put16(&bytes, zip.centralHeaders[0] + kCentralFlags, 0x40);
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kEncrypted);

  bytes = zip.bytes;
  Put16(&bytes, zip.centralHeaders[0] + kCentralMethod, 12);  // bzip2
  EXPECT_EQ(ExtractStatus(bytes), ZipStatus::kUnsupportedMethod);
}

}  // namespace
}  // namespace DuiLib
