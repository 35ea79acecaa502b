#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/registry_names.h"
#include "platform/module_paths.h"
#include "platform/registry.h"
#include "temp_path.h"

namespace {

// Runs the probe copied under fileName and returns what it printed.
std::string RunProbeAs(const std::string& fileName) {
  std::string folder = test_support::TempPath("channel_probe");
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string copy = folder + "\\" + fileName;
  std::string probe = platform::ModuleFolder() + "\\channel_probe.exe";
  if (!CopyFileA(probe.c_str(), copy.c_str(), FALSE)) return "<copy failed>";

  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + copy + "\"";
  BOOL started = CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                nullptr, folder.c_str(), &startup, &process);
  CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char buffer[512];
    DWORD got;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  DeleteFileA(copy.c_str());
  return started ? output : "<start failed>";
}

class LoadChannel : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, app::kInstallKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, app::kInstallKey); }
};

TEST_F(LoadChannel, DerivesTheChannelFromTheExecutablesName) {
  EXPECT_EQ(RunProbeAs("Setup_abc.exe"), "Setup_abc.exe|abc");
  EXPECT_EQ(RunProbeAs("Setup_abc (2).exe"), "Setup_abc (2).exe|abc");
  EXPECT_EQ(RunProbeAs("a_b_c.exe"), "a_b_c.exe|c");
  EXPECT_EQ(RunProbeAs("Setup.exe"), "Setup.exe|guanwang");
  EXPECT_EQ(RunProbeAs("Setup_.exe"), "Setup_.exe|guanwang");
  EXPECT_EQ(RunProbeAs("Setup_ab-c.exe"), "Setup_ab-c.exe|guanwang");
  EXPECT_EQ(RunProbeAs("Setup_ab c.exe"), "Setup_ab c.exe|guanwang");
}

TEST_F(LoadChannel, ASetQidWinsAndIsUsedUnchanged) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, app::kInstallKey, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(platform::WriteRegistryText(HKEY_CURRENT_USER, app::kInstallKey, "QID", "qd-1 (x)"), ERROR_SUCCESS);
  EXPECT_EQ(RunProbeAs("Setup_abc.exe"), "Setup_abc.exe|qd-1 (x)");
  // An empty QID is no channel: the file name decides again.
  ASSERT_EQ(platform::WriteRegistryText(HKEY_CURRENT_USER, app::kInstallKey, "QID", ""), ERROR_SUCCESS);
  EXPECT_EQ(RunProbeAs("Setup_abc.exe"), "Setup_abc.exe|abc");
}

}  // namespace
