#include "platform/windows_folder.h"

#include <gtest/gtest.h>

namespace {

using platform::MapWindowsFolder;

TEST(WindowsFolder, TheCataloguePrefixBecomesTheSystemsWindowsFolder) {
  const std::string path = "C:\\Windows\\System32\\d3dx9_43.dll";
  EXPECT_EQ(MapWindowsFolder(path, "C:\\Windows"), "C:\\Windows\\System32\\d3dx9_43.dll");
  EXPECT_EQ(MapWindowsFolder(path, "C:\\WINDOWS"), "C:\\WINDOWS\\System32\\d3dx9_43.dll");
  EXPECT_EQ(MapWindowsFolder(path, "D:\\WINNT"), "D:\\WINNT\\System32\\d3dx9_43.dll");
  EXPECT_EQ(MapWindowsFolder(path, "E:\\OS\\Windows"), "E:\\OS\\Windows\\System32\\d3dx9_43.dll");
  // Installed in a drive's root, the system answers with the bare drive.
  EXPECT_EQ(MapWindowsFolder(path, "F:"), "F:\\System32\\d3dx9_43.dll");
  // A folder handed over with its backslash gets no second one.
  EXPECT_EQ(MapWindowsFolder(path, "D:\\WINNT\\"), "D:\\WINNT\\System32\\d3dx9_43.dll");
  EXPECT_EQ(MapWindowsFolder(path, "F:\\"), "F:\\System32\\d3dx9_43.dll");
}

TEST(WindowsFolder, ThePrefixMatchesInAnyLetterCaseAndTheRestIsKept) {
  EXPECT_EQ(MapWindowsFolder("c:\\windows\\syswow64\\XAudio2_7.DLL", "D:\\WINNT"),
            "D:\\WINNT\\syswow64\\XAudio2_7.DLL");
  EXPECT_EQ(MapWindowsFolder("C:\\WINDOWS\\SysWOW64\\xinput1_3.dll", "C:\\Windows"),
            "C:\\Windows\\SysWOW64\\xinput1_3.dll");
}

TEST(WindowsFolder, PathsOutsideTheWindowsFolderAreRefused) {
  for (const char* path : {"C:\\WindowsOld\\System32\\x.dll", "C:\\Windows.old\\System32\\x.dll",
                           "C:\\Windows", "C:\\Windows\\", "D:\\Windows\\System32\\x.dll",
                           "C:\\Program Files\\x.dll", "\\\\server\\C$\\Windows\\System32\\x.dll",
                           "System32\\x.dll", "", "C:/Windows/System32/x.dll",
                           " C:\\Windows\\System32\\x.dll"})
    EXPECT_EQ(MapWindowsFolder(path, "C:\\Windows"), "") << path;
}

TEST(WindowsFolder, ARestThatCouldClimbOutIsRefused) {
  for (const char* path : {"C:\\Windows\\..\\evil.dll", "C:\\Windows\\System32\\..\\..\\x.dll",
                           "C:\\Windows\\.\\System32\\x.dll", "C:\\Windows\\\\System32\\x.dll",
                           "C:\\Windows\\System32\\", "C:\\Windows\\System32/../x.dll",
                           "C:\\Windows\\System32\\x.dll:stream", "C:\\Windows\\D:\\x.dll"})
    EXPECT_EQ(MapWindowsFolder(path, "D:\\WINNT"), "") << path;
}

TEST(WindowsFolder, AWindowsFolderThatIsNoDrivePathMapsNothing) {
  const std::string path = "C:\\Windows\\System32\\x.dll";
  for (const char* folder : {"", "C", "1:\\Windows", "\\\\server\\share", "Windows", "C:Windows",
                             "C:\\\\", "C:\\Win/dows", "C:\\a:b"})
    EXPECT_EQ(MapWindowsFolder(path, folder), "") << folder;
}

}  // namespace
