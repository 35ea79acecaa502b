#include "net/image_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "net/image_signature.h"
#include "net/user_paths.h"

namespace {

using namespace net;

// A file system and downloader in memory: each URL fails a set number of times before it
// works; "lying" URLs report success without leaving a file.
struct FakeSystem {
  std::set<std::string> files;
  std::map<std::string, int> failuresLeft;
  std::set<std::string> lying;
  std::vector<std::string> attempts;
  bool folderOk = true;

  ImageCacheOps Ops() {
    return {[this](const std::string&) { return folderOk; },
            [this](const std::string& path) { return files.count(path) > 0; },
            [this](const std::string& url, const std::string& path) {
              attempts.push_back(url);
              if (failuresLeft[url] > 0) {
                --failuresLeft[url];
                return false;
              }
              if (!lying.count(url)) files.insert(path);
              return true;
            }};
  }
};

CatalogueFile Entry(int id, const std::string& imgUrl) {
  CatalogueFile f;
  f.id = id;
  f.imgUrl = imgUrl;
  return f;
}

const std::string kFolder = "C:\\Users\\u\\AppData\\Local\\Tessavane\\image\\";

TEST(ImageCache, SkipsCachedImagesAndNamesFilesByIdAndExtension) {
  CommonCatalogue common;
  common.cplusFiles = {Entry(1, "http://h/a.png"), Entry(2, "http://h/b.jpg")};
  common.gameFiles = {Entry(3, "http://h/icon")};
  FakeSystem system;
  system.files.insert(kFolder + "2.jpg");
  EXPECT_EQ(CacheCatalogueImages(common, kFolder, system.Ops()), 2);
  EXPECT_EQ(system.attempts, (std::vector<std::string>{"http://h/a.png", "http://h/icon"}));
  EXPECT_TRUE(system.files.count(kFolder + "1.png"));
  EXPECT_TRUE(system.files.count(kFolder + "3"));  // no extension: the id alone
}

TEST(ImageCache, TriesThreeTimesThenGivesUp) {
  CommonCatalogue common;
  common.netFiles = {Entry(7, "http://h/twice.png"), Entry(8, "http://h/never.png"), Entry(9, "http://h/lies.png")};
  FakeSystem system;
  system.failuresLeft["http://h/twice.png"] = 2;
  system.failuresLeft["http://h/never.png"] = 99;
  system.lying.insert("http://h/lies.png");
  EXPECT_EQ(CacheCatalogueImages(common, kFolder, system.Ops()), 1);
  std::map<std::string, int> counts;
  for (const std::string& url : system.attempts) ++counts[url];
  EXPECT_EQ(counts["http://h/twice.png"], 3);
  EXPECT_EQ(counts["http://h/never.png"], 3);
  EXPECT_EQ(counts["http://h/lies.png"], 3);  // success without a file is no success
  EXPECT_FALSE(system.files.count(kFolder + "8.png"));
}

TEST(ImageCache, TheSameIdInTwoListsSharesOneFile) {
  CommonCatalogue common;
  common.cplusFiles = {Entry(5, "http://h/x.png")};
  common.gameFiles = {Entry(5, "http://h/other.png")};
  FakeSystem system;
  EXPECT_EQ(CacheCatalogueImages(common, kFolder, system.Ops()), 1);
  EXPECT_EQ(system.attempts.size(), 1u);
}

TEST(ImageCache, NothingHappensWithoutTheFolder) {
  CommonCatalogue common;
  common.cplusFiles = {Entry(1, "http://h/a.png")};
  FakeSystem system;
  system.folderOk = false;
  EXPECT_EQ(CacheCatalogueImages(common, kFolder, system.Ops()), 0);
  EXPECT_TRUE(system.attempts.empty());
}

TEST(UserPaths, FoldersAndNames) {
  const std::string local = "C:\\Users\\u\\AppData\\Local";
  EXPECT_EQ(ImageFolder(local), local + "\\Tessavane\\image\\");
  EXPECT_EQ(RundllFolder(local), local + "\\Tessavane\\Rundll\\");
  EXPECT_EQ(DirectXFolder(local, 1), local + "\\Tessavane\\DirectX\\1\\");
  EXPECT_EQ(DirectXFolder(local, 0), local + "\\Tessavane\\DirectX\\0\\");
  EXPECT_EQ(DownloadFolder("D:", 12), "D:\\Tessavane\\12\\");
  EXPECT_EQ(HeadImageFileName(42), "42.jpg");
  EXPECT_EQ(ImageFileName(Entry(-3, "http://h/p/q.webp")), "-3.webp");
}

// The drive letters the system lists are not all places to download to: a card reader or an
// optical drive without its medium has a letter but no volume.
TEST(UserPaths, TheDownloadDriveIsTheFirstOfDAndEThatHoldsAWritableVolume) {
  struct Case {
    DriveFacts d, e;
    const char* chosen;
    std::vector<std::string> asked;
  };
  const DriveFacts fixed{DriveKind::kFixed, true}, none{DriveKind::kNoRoot, false};
  const Case cases[] = {
      {fixed, fixed, "D:", {"D:\\"}},
      {{DriveKind::kRemovable, false}, fixed, "E:", {"D:\\", "E:\\"}},  // a card reader, empty
      {{DriveKind::kOptical, false}, none, "C:", {"D:\\", "E:\\"}},     // an empty optical drive
      {{DriveKind::kOptical, true}, none, "C:", {"D:\\", "E:\\"}},      // a disc: read-only
      {none, {DriveKind::kRemovable, true}, "E:", {"D:\\", "E:\\"}},    // a card in the reader
      {{DriveKind::kUnknown, true}, {DriveKind::kFixed, false}, "C:", {"D:\\", "E:\\"}},
      {{DriveKind::kRemote, true}, none, "D:", {"D:\\"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> asked;
    const std::string chosen = ChooseDownloadDrive([&](const std::string& root) {
      asked.push_back(root);
      return root == "D:\\" ? c.d : c.e;
    });
    EXPECT_EQ(chosen, c.chosen);
    EXPECT_EQ(asked, c.asked) << c.chosen;
  }
}

}  // namespace

namespace {

TEST(ImageSignature, RecognisesPicturesAndRejectsPages) {
  auto looks = [](const std::string& bytes) {
    return net::LooksLikeImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  };
  EXPECT_TRUE(looks(std::string("\x89PNG\r\n\x1a\n\0\0", 10)));
  EXPECT_TRUE(looks("\xFF\xD8\xFF\xE0"));
  EXPECT_TRUE(looks("GIF89a.."));
  EXPECT_TRUE(looks("BM...."));
  EXPECT_TRUE(looks(std::string("\0\0\1\0\1\0", 6)));
  EXPECT_TRUE(looks(std::string("RIFF\x10\0\0\0WEBPVP8 ", 16)));
  EXPECT_FALSE(looks(std::string("RIFF\x10\0\0\0WAVEfmt ", 16)));
  EXPECT_FALSE(looks("<html><body>404</body></html>"));
  EXPECT_FALSE(looks("{\"code\":\"404\"}"));
  EXPECT_FALSE(looks(std::string("\x89PNG", 4)));  // cut short
  EXPECT_FALSE(looks(""));
}

}  // namespace

namespace {

// One entry's picture, as a download row asks for its icon.
TEST(ImageCache, OneEntryIsTakenFromTheFolderOrFetchedWithThreeTriesAtMost) {
  FakeSystem system;
  system.files.insert(kFolder + "5.png");
  EXPECT_TRUE(CacheEntryImage(Entry(5, "http://h/five.png"), kFolder, system.Ops()));
  EXPECT_TRUE(system.attempts.empty());

  system.failuresLeft["http://h/six.png"] = 2;
  EXPECT_TRUE(CacheEntryImage(Entry(6, "http://h/six.png"), kFolder, system.Ops()));
  EXPECT_EQ(system.attempts.size(), 3u);

  system.attempts.clear();
  system.lying.insert("http://h/seven.png");
  EXPECT_FALSE(CacheEntryImage(Entry(7, "http://h/seven.png"), kFolder, system.Ops()));
  EXPECT_EQ(system.attempts.size(), 3u);
  EXPECT_FALSE(system.files.count(kFolder + "7.png"));
}

}  // namespace
