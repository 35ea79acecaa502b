#include "platform/platform_utils.h"

#include <gtest/gtest.h>

#include <shlobj.h>

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
  // The tests' Wine prefix is a 64-bit one running this 32-bit program under WoW64.
  EXPECT_TRUE(IsSystem64Bit());
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  EXPECT_TRUE(wow64);
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
  // A name that code page 936 cannot write ("?" stands in) must not match by that "?".
  ASSERT_TRUE(FindProcessesByName("?.exe", ids));
  EXPECT_TRUE(ids.empty());
}

}  // namespace
