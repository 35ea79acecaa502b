#include "platform/module_paths.h"
#include "platform/process_search.h"
#include "platform/shell_open.h"
#include "platform/system_bitness.h"
#include "platform/text_conversion.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace platform;

// "运行库修复" in UTF-8 and in code page 936 (GBK).
const char kUtf8[] = "\xE8\xBF\x90\xE8\xA1\x8C\xE5\xBA\x93\xE4\xBF\xAE\xE5\xA4\x8D";
const char kGbk[] = "\xD4\xCB\xD0\xD0\xBF\xE2\xD0\xDE\xB8\xB4";

TEST(TextConversion, Utf8BecomesCodePage936AndBack) {
  EXPECT_EQ(Utf8ToDisplayText(kUtf8), kGbk);
  EXPECT_EQ(DisplayTextToUtf8(kGbk), kUtf8);
  EXPECT_EQ(Utf8ToDisplayText("vc_redist 2015-2022 (x64)"), "vc_redist 2015-2022 (x64)");
  EXPECT_EQ(Utf8ToDisplayText(static_cast<const char*>(nullptr)), "");
  EXPECT_EQ(Utf8ToDisplayText(""), "");
}

TEST(TextConversion, AnsiAndWideRoundTrip) {
  EXPECT_EQ(AnsiToWide("Runtime 2010"), L"Runtime 2010");
  EXPECT_EQ(WideToAnsi(L"Runtime 2010"), "Runtime 2010");
  EXPECT_EQ(WideToAnsi(nullptr), "");
  EXPECT_EQ(WideToAnsi(L""), "");
  EXPECT_EQ(AnsiToWide(nullptr), L"");
}

TEST(ModulePaths, SplitTheExecutablesPath) {
  std::string path = ModulePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(ModuleFolder() + "\\" + ModuleFileName(), path);
  EXPECT_EQ(ModuleFileName(), "platform_tests.exe");
}

TEST(SpecialFolders, LocalAppDataIsReported) {
  std::string folder = SpecialFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(SpecialFolder(0x7FFF), "");
}

TEST(SystemKind, TheTestPrefixIs64BitWindows) {
  // The tests' Wine prefix is a 64-bit one, running the shipped 32-bit program under WoW64
  // and the 64-bit test build natively.
  EXPECT_TRUE(IsSystem64Bit());
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  EXPECT_EQ(wow64 != FALSE, sizeof(void*) == 4);
}

TEST(ProcessSearch, FindsItselfIgnoringCase) {
  std::vector<DWORD> ids = {12345};
  ASSERT_TRUE(FindProcessesByName("PLATFORM_TESTS.EXE", ids));
  ASSERT_GE(ids.size(), 2u);
  EXPECT_EQ(ids[0], 12345u);  // appended, not replaced
  bool foundSelf = false;
  for (size_t i = 1; i < ids.size(); ++i) foundSelf |= ids[i] == GetCurrentProcessId();
  EXPECT_TRUE(foundSelf);
}

TEST(ProcessSearch, FindsAStartedProgramAndNothingForUnknownNames) {
  // notepad.exe is started hidden and found as NOTEPAD.EXE, then ended.
  STARTUPINFOA startup = {sizeof startup};
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  char command[] = "notepad.exe";
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  std::vector<DWORD> ids;
  bool found = false;
  for (int attempt = 0; attempt < 50 && !found; ++attempt) {
    ids.clear();
    ASSERT_TRUE(FindProcessesByName("NOTEPAD.EXE", ids));
    for (DWORD id : ids) found |= id == process.dwProcessId;
    if (!found) Sleep(100);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(found);
  ids.clear();
  ASSERT_TRUE(FindProcessesByName("no_such_program_tessa.exe", ids));
  EXPECT_TRUE(ids.empty());
}

// A running program whose name code page 936 cannot write (Hangul) must not match the "?"
// that a lossy conversion turns its name into.
TEST(ProcessSearch, NamesOutsideCodePage936NeverMatch) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring copy = std::wstring(temp) + L"\uD55C.exe";  // "한.exe"
  // Our own program under that name: Wine's built-in programs do not start under another name.
  std::wstring sleeper = AnsiToWide(ModuleFolder().c_str()) + L"\\sleeper.exe";
  ASSERT_TRUE(CopyFileW(sleeper.c_str(), copy.c_str(), FALSE));
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  std::wstring command = L"\"" + copy + L"\" 10000";
  ASSERT_TRUE(CreateProcessW(copy.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &startup, &process));
  Sleep(300);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 0), DWORD(WAIT_TIMEOUT));  // it runs
  std::vector<DWORD> unwritable, underItsOwnName;
  ASSERT_TRUE(FindProcessesByName("?.exe", unwritable));
  ASSERT_TRUE(FindProcessesByName("sleeper.exe", underItsOwnName));
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileW(copy.c_str());
  for (DWORD id : unwritable) EXPECT_NE(id, process.dwProcessId);
  for (DWORD id : underItsOwnName) EXPECT_NE(id, process.dwProcessId);
}

TEST(ShellOpen, RunsTheFileInItsFolder) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "tessa_shell_open";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string marker = folder + "\\opened.txt";
  DeleteFileA(marker.c_str());
  // The script writes into its working folder, which must be the folder given.
  std::FILE* script = std::fopen((folder + "\\mark.cmd").c_str(), "wb");
  ASSERT_NE(script, nullptr);
  std::fputs("@echo %1> opened.txt\r\n", script);
  std::fclose(script);
  ShellOpen(folder.c_str(), "mark.cmd", "hello", SW_HIDE);
  // The file exists from the moment cmd opens it for the redirection, before echo writes:
  // wait for its text, not for the file.
  std::string text;
  for (int i = 0; i < 100 && text.compare(0, 5, "hello") != 0; ++i) {
    Sleep(100);
    if (std::FILE* written = std::fopen(marker.c_str(), "rb")) {
      char buffer[32] = {};
      text.assign(buffer, std::fread(buffer, 1, sizeof buffer - 1, written));
      std::fclose(written);
    }
  }
  EXPECT_EQ(text.substr(0, 5), "hello");
}

}  // namespace
