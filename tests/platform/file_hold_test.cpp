// The hold on a checked file, against the real file system: nothing writes, renames or
// deletes it while it is held, reading (as an installer's start or a copy does) still works.
#include "platform/file_hold_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "temp_path.h"

namespace {

TEST(FileHold, NobodyWritesRenamesOrDeletesAHeldFile) {
  const std::string path = test_support::TempPath("held.exe");
  const std::string moved = test_support::TempPath("moved.exe");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("checked", file);
  std::fclose(file);

  platform::FileHold hold = platform::HoldFileAgainstWriters(path);
  ASSERT_TRUE(hold);
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_FALSE(DeleteFileA(path.c_str()));
  EXPECT_FALSE(MoveFileA(path.c_str(), moved.c_str()));
  std::FILE* reader = std::fopen(path.c_str(), "rb");
  ASSERT_NE(reader, nullptr);
  char text[16] = {};
  EXPECT_EQ(std::fread(text, 1, sizeof text - 1, reader), 7u);
  std::fclose(reader);
  EXPECT_EQ(std::string(text), "checked");
  EXPECT_TRUE(CopyFileA(path.c_str(), moved.c_str(), FALSE));

  hold.reset();
  EXPECT_TRUE(DeleteFileA(path.c_str()));
  DeleteFileA(moved.c_str());
  // A missing file cannot be held, so it is never taken for a checked one.
  EXPECT_FALSE(platform::HoldFileAgainstWriters(path));
}

}  // namespace
