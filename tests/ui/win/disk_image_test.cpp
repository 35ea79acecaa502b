// Pictures named by a full path come from disk: the head image and list images that the
// program downloads into the user's folders, whose names may hold Chinese.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "recording_canvas.h"
#include "tests/support/test_pictures.h"
#include "ui/win/control.h"
#include "ui/win/disk_image.h"
#include "ui/win/image_cache.h"
#include "ui/win/wide_text.h"

using namespace DuiLib;

namespace {

using test_support::SolidJpeg;
using test_support::SolidPng;

void WritePicture(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(test_support::WriteWholeFile(path, bytes));
}

class DiskPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"用户头像" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const auto& file : written_) ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(folder_.c_str());
  }
  std::wstring PathOf(const wchar_t* name) {
    written_.push_back(folder_ + L"\\" + name);
    return written_.back();
  }
  // What a control showing `picture` as its background draws.
  std::vector<CanvasCall> Paint(const std::wstring& picture) {
    CControlUI control;
    control.SetBkImage(picture);
    control.SetPos(RECT{0, 0, 28, 28});
    RecordingCanvas canvas;
    control.DoPaint(canvas, RECT{0, 0, 28, 28});
    std::vector<CanvasCall> images;
    for (const auto& call : canvas.calls)
      if (call.kind == CanvasCall::kImage) images.push_back(call);
    return images;
  }

  std::wstring folder_;
  std::vector<std::wstring> written_;
};

}  // namespace

TEST(DiskPicturePath, FullPathsOnlyAreReadFromDisk) {
  EXPECT_TRUE(IsDiskPicturePath("C:\\users\\5.jpg"));
  EXPECT_TRUE(IsDiskPicturePath("z:/tmp/5.jpg"));
  EXPECT_TRUE(IsDiskPicturePath("\\\\server\\share\\5.jpg"));
  EXPECT_FALSE(IsDiskPicturePath("system_head_normal.png"));
  EXPECT_FALSE(IsDiskPicturePath("C:"));
  EXPECT_FALSE(IsDiskPicturePath("C:relative.png"));
  EXPECT_FALSE(IsDiskPicturePath("\\single.png"));
  EXPECT_FALSE(IsDiskPicturePath(""));
}

TEST_F(DiskPictures, HeadImageInAChineseFolderIsDrawnOverTheWholeControl) {
  const std::wstring path = PathOf(L"5.jpg");
  WritePicture(path, SolidJpeg(40, 30, 255, 0, 0));
  const auto images = Paint(path);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].source, (RECT{0, 0, 40, 30}));
  EXPECT_EQ(images[0].rect, (RECT{0, 0, 28, 28}));
  const uint8_t* pixel = images[0].image->frames[0].bgra.data();
  EXPECT_GT(pixel[2], 230);  // red, opaque, in BGRA
  EXPECT_LT(pixel[0], 30);
  EXPECT_EQ(pixel[3], 255);
}

TEST_F(DiskPictures, AFileThatArrivesOrChangesLaterIsReadAgain) {
  const std::wstring path = PathOf(L"6.jpg");
  EXPECT_TRUE(Paint(path).empty());  // not downloaded yet: nothing drawn, nothing broken
  WritePicture(path, SolidJpeg(40, 30, 0, 255, 0));
  auto images = Paint(path);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].source.right, 40);
  const auto first = FindPicture(WideToUtf8(path));
  EXPECT_EQ(FindPicture(WideToUtf8(path)), first);  // unchanged: decoded once
  ::Sleep(20);
  WritePicture(path, SolidPng(64, 48, 0, 0, 255));
  images = Paint(path);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].source, (RECT{0, 0, 64, 48}));
}

TEST_F(DiskPictures, BrokenEmptyAndHugePicturesDrawNothing) {
  const std::wstring broken = PathOf(L"broken.jpg");
  std::vector<uint8_t> bytes = SolidJpeg(40, 30, 1, 2, 3);
  bytes.resize(bytes.size() / 3);  // a download cut short
  WritePicture(broken, bytes);
  EXPECT_TRUE(Paint(broken).empty());

  const std::wstring empty = PathOf(L"empty.png");
  WritePicture(empty, {});
  EXPECT_TRUE(Paint(empty).empty());

  const std::wstring huge = PathOf(L"huge.png");
  // More pixels across than any picture of the program has.
  WritePicture(huge, SolidPng(5000, 1, 0, 0, 255));
  EXPECT_TRUE(Paint(huge).empty());

  const std::wstring folder = folder_;
  EXPECT_TRUE(Paint(folder).empty());
}
