#include "ui/skin_package.h"

#include <gtest/gtest.h>

#include "zip_test_writer.h"

namespace DuiLib {
namespace {

using ui_test::MakeZip;
using ui_test::TestZip;

SkinPackage OpenPackage(const TestZip& zip) {
  SkinPackage package;
  EXPECT_EQ(package.OpenOnce(zip.bytes.data(), zip.bytes.size()), ZipStatus::kOk);
  return package;
}

TEST(SkinPackage, LayoutLookupIgnoresLetterCase) {
  const SkinPackage package = OpenPackage(MakeZip({{"RunDllWindow.xml", "<Window/>", true}}));
  std::string text;
  EXPECT_EQ(package.ReadLayoutFile("RundllWindow.xml", &text), SkinReadStatus::kOk);
  EXPECT_EQ(text, "<Window/>");
  EXPECT_EQ(package.ReadLayoutFile("DirectXWindow.xml", &text), SkinReadStatus::kMissing);
  EXPECT_TRUE(text.empty());
}

TEST(SkinPackage, LayoutFilesMustBeBetweenOneByteAndFourMebibytes) {
  const std::string limit(SkinPackage::kMaxLayoutFileSize, ' ');
  const std::string over(SkinPackage::kMaxLayoutFileSize + 1, ' ');
  const SkinPackage package = OpenPackage(MakeZip({{"Empty.xml", "", false},
                                                   {"Limit.xml", limit, true},
                                                   {"Over.xml", over, true},
                                                   {"One.xml", "<", false}}));
  std::string text = "stale";
  EXPECT_EQ(package.ReadLayoutFile("Empty.xml", &text), SkinReadStatus::kEmpty);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(package.ReadLayoutFile("Over.xml", &text), SkinReadStatus::kTooLarge);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(package.ReadLayoutFile("Limit.xml", &text), SkinReadStatus::kOk);
  EXPECT_EQ(text.size(), SkinPackage::kMaxLayoutFileSize);
  EXPECT_EQ(package.ReadLayoutFile("One.xml", &text), SkinReadStatus::kOk);
  EXPECT_EQ(text, "<");
}

TEST(SkinPackage, SizeLimitIsJudgedOnTheDeclaredSize) {
  // A small stored entry that claims to be 5 MiB: refused as too large, not as damaged,
  // and before anything is decoded.
  TestZip zip = MakeZip({{"Claim.xml", "<Window/>", false}});
  ui_test::Put32(&zip.bytes, zip.centralHeaders[0] + ui_test::kCentralUncompressedSize,
                 5 * 1024 * 1024);
  const SkinPackage package = OpenPackage(zip);
  std::string text;
  EXPECT_EQ(package.ReadLayoutFile("Claim.xml", &text), SkinReadStatus::kTooLarge);
}

TEST(SkinPackage, DamagedEntriesAreReportedAsDamaged) {
  TestZip zip = MakeZip({{"Tip.xml", "<Window/>", false}, {"sel.png", "PNG", false}});
  zip.bytes[zip.data[0]] ^= 0x01;
  zip.bytes[zip.data[1]] ^= 0x01;
  const SkinPackage package = OpenPackage(zip);
  std::string text;
  std::vector<uint8_t> image;
  EXPECT_EQ(package.ReadLayoutFile("Tip.xml", &text), SkinReadStatus::kDamaged);
  EXPECT_EQ(package.ReadImage("sel.png", &image), SkinReadStatus::kDamaged);
}

TEST(SkinPackage, ImagesMayBeAnySizeUpToTheirOwnLimit) {
  const std::string picture(SkinPackage::kMaxLayoutFileSize + 10, 'p');
  const SkinPackage package = OpenPackage(MakeZip({{"about.png", picture, true},
                                                   {"blank.png", "", false}}));
  std::vector<uint8_t> bytes;
  EXPECT_EQ(package.ReadImage("ABOUT.png", &bytes), SkinReadStatus::kOk);
  EXPECT_EQ(bytes.size(), picture.size());
  EXPECT_EQ(package.ReadImage("blank.png", &bytes), SkinReadStatus::kOk);
  EXPECT_EQ(package.ReadImage("dg1.png", &bytes), SkinReadStatus::kMissing);
}

TEST(SkinPackage, IsReadOnceAndOwnsItsCopy) {
  TestZip first = MakeZip({{"Main.xml", "first", false}});
  const TestZip second = MakeZip({{"Main.xml", "second", false}});
  SkinPackage package;
  std::string text;
  EXPECT_EQ(package.ReadLayoutFile("Main.xml", &text), SkinReadStatus::kNotOpen);
  ASSERT_EQ(package.OpenOnce(first.bytes.data(), first.bytes.size()), ZipStatus::kOk);
  // The caller's bytes may go away (a resource is unlocked, a buffer reused).
  std::fill(first.bytes.begin(), first.bytes.end(), 0);
  first.bytes.clear();
  first.bytes.shrink_to_fit();
  // A later window asks again: the package already open is kept.
  EXPECT_EQ(package.OpenOnce(second.bytes.data(), second.bytes.size()), ZipStatus::kOk);
  EXPECT_EQ(package.ReadLayoutFile("main.xml", &text), SkinReadStatus::kOk);
  EXPECT_EQ(text, "first");
}

TEST(SkinPackage, FailedOpenLeavesThePackageClosed) {
  SkinPackage package;
  const std::vector<uint8_t> junk(64, 0x50);
  EXPECT_EQ(package.OpenOnce(junk.data(), junk.size()), ZipStatus::kNoEndRecord);
  EXPECT_EQ(package.OpenOnce(nullptr, 0), ZipStatus::kNoEndRecord);
  EXPECT_FALSE(package.IsOpen());
  const TestZip zip = MakeZip({{"Main.xml", "later", false}});
  EXPECT_EQ(package.OpenOnce(zip.bytes.data(), zip.bytes.size()), ZipStatus::kOk);
  EXPECT_TRUE(package.IsOpen());
}

}  // namespace
}  // namespace DuiLib
