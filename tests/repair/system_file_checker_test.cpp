#include "repair/system_file_checker.h"

#include <gtest/gtest.h>

namespace {

using repair::SystemFileCheckerCommand;

TEST(SystemFileCheckerCommand, TheNativeCheckerHiddenInTheSystemFolderItKnows) {
  const repair::ShellCommand wow64 = SystemFileCheckerCommand("C:\\Windows", true);
  EXPECT_EQ(wow64.program, "C:\\Windows\\Sysnative\\sfc.exe");
  EXPECT_EQ(wow64.parameters, "/SCANNOW");
  EXPECT_EQ(wow64.workingFolder, "C:\\Windows\\System32");
  EXPECT_EQ(wow64.show, 0);
  const repair::ShellCommand native = SystemFileCheckerCommand("D:\\WINNT", false);
  EXPECT_EQ(native.program, "D:\\WINNT\\System32\\sfc.exe");
  EXPECT_EQ(native.workingFolder, "D:\\WINNT\\System32");
  // Windows in a drive's root.
  EXPECT_EQ(SystemFileCheckerCommand("E:\\", true).program, "E:\\Sysnative\\sfc.exe");
  EXPECT_EQ(SystemFileCheckerCommand("E:\\", true).workingFolder, "E:\\System32");
}

}  // namespace
