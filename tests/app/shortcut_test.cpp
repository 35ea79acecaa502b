// The desktop shortcut made on close: created once, an existing file never touched.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/desktop_shortcut.h"
#include "page_machinery/product.h"

namespace {

class ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"shell_shortcut_" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    wchar_t module[MAX_PATH];
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    target_ = module;
  }
  void TearDown() override {
    ::DeleteFileW(Link().c_str());
    ::RemoveDirectoryW(folder_.c_str());
    ::CoUninitialize();
  }
  std::wstring Link() const { return folder_ + L"\\" + app::kProductName + L".lnk"; }

  std::wstring folder_;
  std::wstring target_;
};

TEST_F(ShortcutTest, MadeWhenMissingAndPointsAtTheProgram) {
  ASSERT_TRUE(app::EnsureShortcut(folder_, app::kProductName, target_));
  ASSERT_NE(::GetFileAttributesW(Link().c_str()), INVALID_FILE_ATTRIBUTES);

  IShellLinkW* link = nullptr;
  ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
  ASSERT_TRUE(SUCCEEDED(file->Load(Link().c_str(), STGM_READ)));
  wchar_t path[MAX_PATH] = L"", work[MAX_PATH] = L"";
  link->GetPath(path, MAX_PATH, nullptr, 0);
  link->GetWorkingDirectory(work, MAX_PATH);
  file->Release();
  link->Release();
  EXPECT_EQ(_wcsicmp(path, target_.c_str()), 0);
  const std::wstring folderOfTarget = target_.substr(0, target_.find_last_of(L'\\'));
  EXPECT_EQ(_wcsicmp(work, folderOfTarget.c_str()), 0);
}

TEST_F(ShortcutTest, AnExistingFileIsLeftUntouched) {
  {
    std::ofstream existing(Link().c_str(), std::ios::binary);
    existing << "not a shortcut";
  }
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ::GetFileAttributesExW(Link().c_str(), GetFileExInfoStandard, &before);
  ::Sleep(20);
  EXPECT_TRUE(app::EnsureShortcut(folder_, app::kProductName, target_));
  std::ifstream again(Link().c_str(), std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "not a shortcut");
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ::GetFileAttributesExW(Link().c_str(), GetFileExInfoStandard, &after);
  EXPECT_EQ(::CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
}

TEST_F(ShortcutTest, AFolderThatDoesNotExistAbandonsTheShortcut) {
  EXPECT_FALSE(app::EnsureShortcut(folder_ + L"\\missing", app::kProductName, target_));
  EXPECT_FALSE(app::EnsureShortcut(L"", app::kProductName, target_));
}

}  // namespace
