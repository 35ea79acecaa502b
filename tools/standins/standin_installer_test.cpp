// The stand-in installers change the registry only when run with their silent switches, and
// then in their own registry view.
#include <windows.h>

#include <gtest/gtest.h>

#include "run_installer.h"
#include "wine_path.h"

#include <string>

namespace {

std::string installer[2];  // [0] writes the 32-bit view, [1] the 64-bit view
std::string dll;

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
    EXPECT_EQ(standin_test::RunInstaller(exe(), args), 1) << args;
    EXPECT_FALSE(key_exists(32, subkey().c_str())) << args;
    EXPECT_FALSE(key_exists(64, subkey().c_str())) << args;
  }
}

TEST_P(StandIn, TheSilentSwitchesInstallIntoItsOwnView) {
  EXPECT_EQ(standin_test::RunInstaller(exe(), "/install /quiet /norestart"), 0);
  EXPECT_TRUE(key_exists(bits(), subkey().c_str()));
  EXPECT_FALSE(key_exists(other(), subkey().c_str()));
  // Switches are matched without regard to case, as the real installers do.
  remove_key(bits(), subkey().c_str());
  EXPECT_EQ(standin_test::RunInstaller(exe(), "/INSTALL /Quiet /norestart"), 0);
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
  installer[0] = test_support::WinePath(argv[1]);
  installer[1] = test_support::WinePath(argv[2]);
  dll = test_support::WinePath(argv[3]);
  return RUN_ALL_TESTS();
}
