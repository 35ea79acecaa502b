#include "ui/zip_archive.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "zip_test_writer.h"

namespace DuiLib {
namespace {

using ui_test::MakeZip;
using ui_test::TestZip;

std::string Extracted(const ZipArchive& archive, std::string_view name) {
  const ZipEntry* entry = archive.Find(name);
  if (entry == nullptr) return "<missing>";
  std::vector<uint8_t> bytes;
  const ZipStatus status = archive.Extract(*entry, 1 << 20, &bytes);
  if (status != ZipStatus::kOk) return std::string("<") + ZipStatusText(status) + ">";
  return std::string(bytes.begin(), bytes.end());
}

std::string Repeated(const std::string& piece, size_t times) {
  std::string out;
  for (size_t i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(ZipArchive, ReadsStoredAndDeflatedEntries) {
  const std::string big = Repeated("<Label text=\"row\"/>\n", 500);
  const TestZip zip = MakeZip({{"a.xml", "<Window/>", false},
                               {"big.xml", big, true},
                               {"empty.png", "", false},
                               {"empty-deflated.png", "", true}});
  ZipArchive archive;
  ASSERT_EQ(archive.Open(zip.bytes.data(), zip.bytes.size()), ZipStatus::kOk);
  EXPECT_EQ(archive.entries().size(), 4u);
  EXPECT_EQ(Extracted(archive, "a.xml"), "<Window/>");
  EXPECT_LT(archive.Find("big.xml")->compressedSize, big.size() / 10);
  EXPECT_EQ(Extracted(archive, "big.xml"), big);
  EXPECT_EQ(Extracted(archive, "empty.png"), "");
  EXPECT_EQ(Extracted(archive, "empty-deflated.png"), "");
}

TEST(ZipArchive, FindsEntriesIgnoringLetterCase) {
  const TestZip zip = MakeZip({{"RunDllWindow.xml", "rundll", true}, {"Font.xml", "f", false}});
  ZipArchive archive;
  ASSERT_EQ(archive.Open(zip.bytes.data(), zip.bytes.size()), ZipStatus::kOk);
  EXPECT_EQ(Extracted(archive, "RundllWindow.xml"), "rundll");
  EXPECT_EQ(Extracted(archive, "rundllwindow.XML"), "rundll");
  EXPECT_EQ(archive.Find("RundllWindow.xm"), nullptr);
  EXPECT_EQ(archive.Find("RundllWindow.xml "), nullptr);
  EXPECT_EQ(archive.Find("Missing.xml"), nullptr);
  EXPECT_EQ(archive.Find(""), nullptr);
}

TEST(ZipArchive, FirstOfTwoNamesDifferingOnlyInCaseWins) {
  const TestZip zip = MakeZip({{"Tip.xml", "first", false}, {"TIP.XML", "second", false}});
  ZipArchive archive;
  ASSERT_EQ(archive.Open(zip.bytes.data(), zip.bytes.size()), ZipStatus::kOk);
  EXPECT_EQ(Extracted(archive, "tip.xml"), "first");
}

TEST(ZipArchive, AcceptsArchiveCommentAndEmptyArchive) {
  // The comment itself holds an end-record signature that must not be taken for the record.
  const std::string comment = std::string("PK\x05\x06", 4) + "skin package";
  const TestZip commented = MakeZip({{"a.xml", "x", true}}, comment);
  ZipArchive archive;
  ASSERT_EQ(archive.Open(commented.bytes.data(), commented.bytes.size()), ZipStatus::kOk);
  EXPECT_EQ(Extracted(archive, "a.xml"), "x");

  const TestZip empty = MakeZip({});
  ASSERT_EQ(archive.Open(empty.bytes.data(), empty.bytes.size()), ZipStatus::kOk);
  EXPECT_TRUE(archive.entries().empty());
}

std::vector<uint8_t> ReadFixture(const char* name) {
  std::ifstream file(std::string(UI_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
}

// Archives written by other tools, not by our test writer, so that a mistake shared by our
// reader and our writer cannot hide. python3's zipfile streamed these entries with data
// descriptors (flag bit 3); Info-ZIP's zip gives local extra fields of another length
// than the central ones.
TEST(ZipArchive, ReadsArchivesWrittenByOtherTools) {
  const std::vector<uint8_t> python = ReadFixture("python_zipfile.zip");
  ZipArchive archive;
  ASSERT_EQ(archive.Open(python.data(), python.size()), ZipStatus::kOk);
  EXPECT_EQ(Extracted(archive, "RundllWindow.xml"),
            "<Window><HorizontalLayout name=\"rundll\"/></Window>\n");
  EXPECT_EQ(Extracted(archive, "stored.txt"), "stored entry\n");
  EXPECT_EQ(Extracted(archive, "streamed.txt"), Repeated("streamed ", 200));

  const std::vector<uint8_t> infozip = ReadFixture("infozip.zip");
  const std::vector<uint8_t> tip = ReadFixture("infozip_TipWindow.xml");
  ASSERT_EQ(archive.Open(infozip.data(), infozip.size()), ZipStatus::kOk);
  EXPECT_EQ(archive.Find("tipwindow.xml")->method, 8);
  EXPECT_EQ(Extracted(archive, "tipwindow.xml"), std::string(tip.begin(), tip.end()));
  EXPECT_EQ(Extracted(archive, "SEL.PNG"), "not a picture, but stored");
}

}  // namespace
}  // namespace DuiLib
