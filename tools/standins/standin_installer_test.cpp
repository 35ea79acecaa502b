// The stand-in installers change the registry only when run with their silent switches, and
// then in their own registry view.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string installer[2];  // [0] writes the 32-bit view, [1] the 64-bit view
std::string dll;

std::string windows_path(std::string path) {
  if (!path.empty() && path[0] == '/') {  // a Unix path from ctest: Wine's Z: drive is the root
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
  return path;
}

// Runs the installer the way the repair does and returns its exit code (-1 if it did not run).
long run(const std::string& exe, const std::string& args) {
  std::string line = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<long>(code);
}

bool key_exists(int bits, const char* subkey) {
  HKEY key;
  REGSAM view = bits == 64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void remove_key(int bits, const char* subkey) {
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, subkey, bits == 64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY, 0);
}

struct StandIn : ::testing::TestWithParam<int> {
  int bits() const { return GetParam(); }
  int other() const { return bits() == 64 ? 32 : 64; }
  std::string exe() const { return installer[bits() == 64 ? 1 : 0]; }
  std::string subkey() const { return "SOFTWARE\\TessavaneStandInTest\\View" + std::to_string(bits()); }
  void SetUp() override {
    for (int view : {32, 64}) remove_key(view, subkey().c_str());
  }
};

}  // namespace

TEST_P(StandIn, OtherArgumentsChangeNothingAndFail) {
  for (const char* args : {"", "/install", "/install /quiet", "/install /quiet /norestart /extra", "/q"}) {
    EXPECT_EQ(run(exe(), args), 1) << args;
    EXPECT_FALSE(key_exists(32, subkey().c_str())) << args;
    EXPECT_FALSE(key_exists(64, subkey().c_str())) << args;
  }
}

TEST_P(StandIn, TheSilentSwitchesInstallIntoItsOwnView) {
  EXPECT_EQ(run(exe(), "/install /quiet /norestart"), 0);
  EXPECT_TRUE(key_exists(bits(), subkey().c_str()));
  EXPECT_FALSE(key_exists(other(), subkey().c_str()));
  // Switches are matched without regard to case, as the real installers do.
  remove_key(bits(), subkey().c_str());
  EXPECT_EQ(run(exe(), "/INSTALL /Quiet /norestart"), 0);
  EXPECT_TRUE(key_exists(bits(), subkey().c_str()));
}

INSTANTIATE_TEST_SUITE_P(BothViews, StandIn, ::testing::Values(32, 64));

TEST(StandInDll, LoadsAndNamesItself) {
  HMODULE module = LoadLibraryA(dll.c_str());
  ASSERT_NE(module, nullptr) << GetLastError();
  using NameFunction = const char* (*)();
  auto name = reinterpret_cast<NameFunction>(reinterpret_cast<void*>(GetProcAddress(module, "StandInName")));
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name(), "directx/x86/d3dx9_43.dll");
  FreeLibrary(module);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 4) {
    fprintf(stderr, "usage: standin_installer_test INSTALLER_32 INSTALLER_64 STANDIN_DLL\n");
    return 2;
  }
  installer[0] = windows_path(argv[1]);
  installer[1] = windows_path(argv[2]);
  dll = windows_path(argv[3]);
  return RUN_ALL_TESTS();
}
