#include "net/image_fetch.h"
#include "platform/files_and_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "fixture_client.h"
#include "net/user_paths.h"
#include "temp_path.h"
#include "wine_path.h"

namespace {

TEST(UserFolders, FoldersAreCreatedWithTheirParents) {
  std::string base = test_support::TempPath("folders");
  std::string deep = net::DirectXFolder(base, 1);
  ASSERT_TRUE(platform::EnsureFolder(deep));
  EXPECT_TRUE(platform::EnsureFolder(deep));  // existing is fine
  DWORD attributes = GetFileAttributesA(deep.c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  // A file where a folder should be is not a folder.
  std::string blocked = base + "\\blocked";
  std::fclose(std::fopen(blocked.c_str(), "wb"));
  EXPECT_FALSE(platform::EnsureFolder(blocked + "\\"));
  EXPECT_TRUE(platform::FileExists(blocked));
  EXPECT_FALSE(platform::FileExists(deep));
}

// A D: drive with no disk in it (an empty card reader or optical drive; here a drive letter
// that leads nowhere) is listed by GetLogicalDrives but holds no volume: it is not the
// download drive.
TEST(UserFolders, ADriveWithoutAVolumeIsNotTheDownloadDrive) {
  std::string local = platform::LocalAppData();
  ASSERT_FALSE(local.empty());
  EXPECT_NE(local.back(), '\\');
  ASSERT_EQ(GetLogicalDrives() & (1u << 4), 0u) << "the test prefix has no E:";
  ASSERT_EQ(GetLogicalDrives() & (1u << 3), 0u) << "the test prefix has no D:";
  const char* target = "\\??\\C:\\tessavane-no-volume-here";
  ASSERT_TRUE(DefineDosDeviceA(DDD_RAW_TARGET_PATH, "D:", target));
  EXPECT_NE(GetLogicalDrives() & (1u << 3), 0u) << "the letter is listed";
  const net::DriveFacts d = net::DriveFactsOf("D:\\");
  const net::DriveFacts c = net::DriveFactsOf("C:\\");
  const std::string drive = net::DownloadDrive();
  DefineDosDeviceA(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, "D:", target);
  EXPECT_FALSE(d.volumeMounted);
  EXPECT_EQ(c.kind, net::DriveKind::kFixed);
  EXPECT_TRUE(c.volumeMounted);
  EXPECT_EQ(drive, "C:");
  EXPECT_EQ(net::DownloadDrive(), "C:");
}

// Puts a file where the fixture serves /files/NAME (its folder, through Wine's Z: drive).
void ServeFile(const std::string& name, const std::string& bytes) {
  std::string path = test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/" + name);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

TEST(ImageCacheOnWindows, FetchesImagesOnce) {
  ServeFile("logo.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, 'p'));
  ServeFile("page.png", "<html>not a picture</html>");
  std::string folder = net::ImageFolder(test_support::TempPath("images"));
  net::CommonCatalogue common;
  net::CatalogueFile good, missing, notPicture;
  good.id = 11;
  good.imgUrl = test_support::FixtureUrl("/files/logo.png?v=3");
  missing.id = 12;
  missing.imgUrl = test_support::FixtureUrl("/files/absent.png");
  notPicture.id = 13;
  notPicture.imgUrl = test_support::FixtureUrl("/files/page.png");
  common.cplusFiles = {good};
  common.netFiles = {missing};
  common.gameFiles = {notPicture};
  test_support::ResetFixture();
  EXPECT_EQ(net::CacheCatalogueImages(common, folder, net::SystemImageCacheOps()), 1);
  EXPECT_TRUE(platform::FileExists(folder + "11.png"));  // the query is no part of the name
  // A 404 page or any other non-picture is not kept as the picture.
  EXPECT_FALSE(platform::FileExists(folder + "12.png"));
  EXPECT_FALSE(platform::FileExists(folder + "13.png"));
  EXPECT_GE(test_support::FixtureRequestCount(), 7);
  // The cached one is not fetched again; the two failures get their three tries again.
  test_support::ResetFixture();
  EXPECT_EQ(net::CacheCatalogueImages(common, folder, net::SystemImageCacheOps()), 0);
  EXPECT_EQ(test_support::FixtureRequestCount(), 6);
}

// A picture server that sends five bytes a second never trips the stall limit; a picture's
// fetch ends at its bound on the whole (8 seconds), and nothing is left behind.
TEST(ImageCacheOnWindows, ASlowLorisPictureEndsAtThePicturesBound) {
  std::string target = test_support::TempPath("loris.png");
  const DWORD start = GetTickCount();
  EXPECT_FALSE(net::FetchImage(test_support::FixtureUrl("/loris?bytes=100&ms=200&png=1"), target));
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 7000u);
  EXPECT_LT(took, 10000u);
  EXPECT_FALSE(platform::FileExists(target));
}

TEST(ImageCacheOnWindows, PicturesAreFetchedOnlyFromWebAddresses) {
  // A local file or a share's file is no picture from the server, whatever it holds.
  std::string source = test_support::TempPath("local-picture.png");
  std::FILE* file = std::fopen(source.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("\x89PNG\r\n\x1a\nlocal", file);
  std::fclose(file);
  std::string target = test_support::TempPath("copied.png");
  std::string fileUrl = "file:///" + source;
  for (const std::string& url : {fileUrl, source, std::string("\\\\127.0.0.1\\c$\\x.png")}) {
    std::remove(target.c_str());
    EXPECT_FALSE(net::FetchImage(url, target)) << url;
    EXPECT_FALSE(platform::FileExists(target)) << url;
  }
  std::remove(source.c_str());
}

}  // namespace
