// The system DLL page's file walk and its start of the system file checker, against real
// folders of the test prefix: a scratch tree, and the prefix's System32 and SysWOW64.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "process_bits.h"
#include "file_tree.h"
#include "platform/process_search.h"
#include "platform/windows_folder.h"
#include "platform/system_bitness.h"
#include "repair/system_dll_files.h"
#include "repair/system_file_checker.h"
#include "temp_path.h"
#include "process_bits.h"
#include "wine_path.h"

namespace {

using repair::CollectFiles;
using repair::FindFilesByExtension;
using test_support::MakeFile;
using test_support::RemoveTree;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool Contains(const std::vector<std::wstring>& paths, const std::wstring& path) {
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

class FileWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = Wide(test_support::TempPath("walk")) + L"\\";
    RemoveTree(root_);
    for (const wchar_t* name :
         {L"a.dll", L"B.DLL", L"c.Dll", L"d.ocx", L"e.dll.bak", L".hidden.dll", L"noext",
          L"sub\\f.dll", L"sub\\k.ocx", L"sub\\deeper\\g.dll", L".dotdir\\h.dll", L"x\\i.dll",
          L"ab\\j.dll", L"\u7cfb\u7edf.dll", L"\u7ec4\u4ef6\\m.dll"})
      ASSERT_TRUE(MakeFile(root_ + name));
  }
  void TearDown() override { RemoveTree(root_); }

  std::vector<std::wstring> Sorted(std::vector<std::wstring> paths) const {
    std::sort(paths.begin(), paths.end());
    return paths;
  }
  std::vector<std::wstring> Under(std::initializer_list<const wchar_t*> names) const {
    std::vector<std::wstring> paths;
    for (const wchar_t* name : names) paths.push_back(root_ + name);
    return Sorted(paths);
  }

  std::wstring root_;
};

TEST_F(FileWalk, MatchesTheExtensionExactlyAndSkipsDotAndOneLetterNames) {
  std::vector<std::wstring> dlls;
  FindFilesByExtension(root_, L".dll", dlls);
  // Chinese names come back whole: the listing is not narrowed to the ANSI code page.
  EXPECT_EQ(Sorted(dlls), Under({L"a.dll", L"ab\\j.dll", L"sub\\deeper\\g.dll", L"sub\\f.dll",
                                 L"\u7cfb\u7edf.dll", L"\u7ec4\u4ef6\\m.dll"}));
  std::vector<std::wstring> ocxs;
  FindFilesByExtension(root_, L".ocx", ocxs);
  EXPECT_EQ(Sorted(ocxs), Under({L"d.ocx", L"sub\\k.ocx"}));
  std::vector<std::wstring> capitals;
  FindFilesByExtension(root_, L".DLL", capitals);
  EXPECT_EQ(capitals, Under({L"B.DLL"}));
}

TEST_F(FileWalk, ASubFolderIsWalkedWhereTheListingMeetsIt) {
  std::vector<std::wstring> paths = {L"kept"};
  FindFilesByExtension(root_, L".dll", paths);
  ASSERT_EQ(paths.size(), 7u);
  EXPECT_EQ(paths[0], L"kept");  // appended to, never cleared
  std::vector<size_t> inSub;
  for (size_t i = 0; i < paths.size(); ++i)
    if (paths[i].compare(0, root_.size() + 4, root_ + L"sub\\") == 0) inSub.push_back(i);
  ASSERT_EQ(inSub.size(), 2u);
  EXPECT_EQ(inSub[1], inSub[0] + 1);
}

TEST_F(FileWalk, AMissingFolderAddsNothing) {
  std::vector<std::wstring> paths = {L"kept"};
  FindFilesByExtension(root_ + L"absent\\", L".dll", paths);
  FindFilesByExtension(L"Q:\\no drive\\", L".dll", paths);
  EXPECT_EQ(paths, std::vector<std::wstring>{L"kept"});
}

// Wine does not make links itself (CreateSymbolicLinkW succeeds and does nothing), nor remove
// one, but it shows a Unix symbolic link to a folder as a linked folder: the test makes and
// removes it with the host's ln and rm, which Wine starts as it starts a Windows program. A
// host program's handle cannot be waited for, so the link's state is.
bool OnHost(const std::string& program, const std::string& arguments, const std::wstring& link,
            bool linkAfter) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  char* name = unixName ? unixName(link.c_str()) : nullptr;
  if (!name) return false;
  std::string command = program + " " + arguments + " \"" + name + "\"";
  HeapFree(GetProcessHeap(), 0, name);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(("Z:\\bin\\" + program).c_str(), &command[0], nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int i = 0; i < 250; ++i, Sleep(20))
    if ((GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) == linkAfter) return true;
  return false;
}

// A link back up the tree would list the same files again and again.
TEST_F(FileWalk, LinkedFoldersAreNotEntered) {
  const std::wstring link = root_ + L"sub\\up";
  ASSERT_TRUE(OnHost("ln", "-s ..", link, true));
  const DWORD attributes = GetFileAttributesW(link.c_str());
  std::vector<std::wstring> paths;
  FindFilesByExtension(root_, L".dll", paths);
  EXPECT_TRUE(OnHost("rm", "-f", link, false));
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
            DWORD{FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(paths.size(), 6u);
}

class SystemFolders : public ::testing::Test {
 protected:
  const std::wstring native_ = test_support::NativeSystemFolderW();
  const std::wstring wow64_ = L"C:\\Windows\\SysWOW64\\";
  const std::vector<std::wstring> created_ = {
      native_ + L"tessa_walk_native.dll", native_ + L"tessa_walk_native.ocx",
      native_ + L"tessa_walk_caps.DLL", native_ + L"tessa_walk_sub\\deep.dll",
      wow64_ + L"tessa_walk_wow.dll", wow64_ + L"tessa_walk_wow.ocx"};

  void SetUp() override {
    ASSERT_TRUE(platform::IsSystem64Bit());
    for (const std::wstring& path : created_) ASSERT_TRUE(MakeFile(path));
  }
  void TearDown() override {
    for (const std::wstring& path : created_) DeleteFileW(path.c_str());
    RemoveTree(native_ + L"tessa_walk_sub\\");
  }
};

// Which of the four walks a path belongs to, in walking order; -1 for none.
int Walk(const std::wstring& path) {
  const std::wstring system32 = L"C:\\Windows\\System32\\", syswow64 = L"C:\\Windows\\SysWOW64\\";
  auto endsWith = [&](const wchar_t* tail) {
    const std::wstring end(tail);
    return path.size() > end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0;
  };
  const bool in32 = path.compare(0, system32.size(), system32) == 0;
  const bool in64 = path.compare(0, syswow64.size(), syswow64) == 0;
  if (endsWith(L".dll")) return in32 ? 0 : in64 ? 1 : -1;
  if (endsWith(L".ocx")) return in32 ? 2 : in64 ? 3 : -1;
  return -1;
}

TEST_F(SystemFolders, DllsOfBothFoldersComeFirstThenOcxsAndSystem32IsTheNativeFolder) {
  const std::vector<std::wstring> paths = CollectFiles(repair::SystemDllSources());
  ASSERT_GT(paths.size(), 500u);  // the prefix's own DLLs
  int last = 0;
  for (const std::wstring& path : paths) {
    const int walk = Walk(path);
    ASSERT_GE(walk, last) << std::string(path.begin(), path.end());
    last = walk;
  }
  EXPECT_EQ(last, 3);
  EXPECT_TRUE(Contains(paths, L"C:\\Windows\\System32\\tessa_walk_native.dll"));
  EXPECT_TRUE(Contains(paths, L"C:\\Windows\\System32\\tessa_walk_native.ocx"));
  EXPECT_TRUE(Contains(paths, L"C:\\Windows\\System32\\tessa_walk_sub\\deep.dll"));
  EXPECT_TRUE(Contains(paths, L"C:\\Windows\\SysWOW64\\tessa_walk_wow.dll"));
  EXPECT_TRUE(Contains(paths, L"C:\\Windows\\SysWOW64\\tessa_walk_wow.ocx"));
  EXPECT_FALSE(Contains(paths, L"C:\\Windows\\System32\\tessa_walk_wow.dll"));
  EXPECT_FALSE(Contains(paths, L"C:\\Windows\\SysWOW64\\tessa_walk_native.dll"));
  EXPECT_FALSE(Contains(paths, L"C:\\Windows\\System32\\tessa_walk_caps.DLL"));
}

TEST_F(SystemFolders, TheWalkTurnsRedirectionOffOnlyForItself) {
  SKIP_UNLESS_WOW64_PROCESS();
  const std::vector<std::wstring> paths = CollectFiles(repair::SystemDllSources());
  // With redirection on, System32 would have shown the 32-bit folder's files.
  EXPECT_TRUE(Contains(paths, L"C:\\Windows\\System32\\tessa_walk_native.dll"));
  // And it is on again for this thread afterwards.
  EXPECT_NE(GetFileAttributesW(L"C:\\Windows\\System32\\tessa_walk_wow.dll"),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(L"C:\\Windows\\System32\\tessa_walk_native.dll"),
            INVALID_FILE_ATTRIBUTES);
}

struct Recorder {
  std::vector<repair::ShellCommand> commands;
  repair::ShellLauncher Launcher() {
    return [this](const repair::ShellCommand& command) { commands.push_back(command); };
  }
};

// The path names the native checker with one backslash between folder and file, and the
// checker, a 64-bit program, starts in the system folder as it knows it ("Sysnative" is a
// name only 32-bit programs have).
TEST(SystemFileChecker, IsStartedHiddenFromTheNativeFolderInSystem32) {
  ASSERT_TRUE(platform::IsSystem64Bit());
  ASSERT_EQ(platform::SystemWindowsFolder(), "C:\\windows");
  Recorder recorder;
  EXPECT_TRUE(repair::StartSystemFileChecker(recorder.Launcher()));
  ASSERT_EQ(recorder.commands.size(), 1u);
  EXPECT_EQ(recorder.commands[0].program, test_support::kProcessIs32Bit
                                              ? "C:\\windows\\Sysnative\\sfc.exe"
                                              : "C:\\windows\\System32\\sfc.exe");
  EXPECT_EQ(recorder.commands[0].workingFolder, "C:\\windows\\System32");
  EXPECT_EQ(recorder.commands[0].parameters, "/SCANNOW");
  EXPECT_EQ(recorder.commands[0].show, SW_HIDE);
}

// The program's own launcher: the shell opens the program with the parameters, in its working
// folder. A copy of the sleeper stands in for the checker, which Wine does not have.
TEST(SystemFileChecker, TheShellLauncherOpensTheFileInItsFolder) {
  const std::string folder = test_support::TempPath("launch") + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string name = "tessa_launch_probe.exe";
  ASSERT_TRUE(CopyFileA(test_support::WinePath(SLEEPER).c_str(), (folder + name).c_str(), FALSE));
  repair::SystemShellLauncher()({folder + name, "3000", folder, SW_HIDE});
  std::vector<DWORD> found;
  for (int i = 0; i < 150 && found.empty(); ++i, Sleep(20))
    platform::FindProcessesByName(name, found);
  for (DWORD id : found) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
  EXPECT_EQ(found.size(), 1u);
}

// Any process of that name, whatever its letter case, stands for a running checker.
TEST(SystemFileChecker, IsNotStartedWhileOneRuns) {
  const std::string folder = test_support::TempPath("checker");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string program = folder + "\\SFC.EXE";
  ASSERT_TRUE(CopyFileA(test_support::WinePath(SLEEPER).c_str(), program.c_str(), FALSE));
  std::string command = "\"" + program + "\" 20000";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  std::vector<DWORD> found;
  for (int i = 0; i < 100 && found.empty(); ++i) {
    platform::FindProcessesByName("sfc.exe", found);
    if (found.empty()) Sleep(20);
  }
  Recorder recorder;
  const bool started = repair::StartSystemFileChecker(recorder.Launcher());
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hThread, 5000);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileA(program.c_str());
  RemoveDirectoryA(folder.c_str());
  ASSERT_EQ(found, std::vector<DWORD>{process.dwProcessId});
  EXPECT_FALSE(started);
  EXPECT_TRUE(recorder.commands.empty());
}

}  // namespace
