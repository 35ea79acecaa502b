#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace platform;

// Every test works below its own key of the throwaway prefix's HKEY_CURRENT_USER.
const char kBase[] = "Software\\TessavaneTests";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kBase, &key), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kBase); }
  static std::string Path(const char* leaf) { return std::string(kBase) + "\\" + leaf; }
};

TEST_F(Registry, WriteToAMissingKeyFailsAndCreatesNothing) {
  std::string missing = Path("Missing");
  EXPECT_NE(WriteRegistryText(HKEY_CURRENT_USER, missing.c_str(), "Token", "abc"), ERROR_SUCCESS);
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, missing.c_str()));
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, missing.c_str(), "Token", 200), "");
}

TEST_F(Registry, WriteStoresAStringValue) {
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, kBase, "Token", "abc"), ERROR_SUCCESS);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kBase, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "Token", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, DWORD(REG_SZ));
  // Windows stores the 3 bytes given; Wine adds a terminating NUL of its own.
  EXPECT_TRUE(size == 3u || size == 4u) << size;
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kBase, "Token", 200), "abc");
}

TEST_F(Registry, ReadsAreBoundedByTheirBuffer) {
  std::string long200(250, 't');
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, kBase, "Token", long200), ERROR_SUCCESS);
  // A value larger than the buffer does not fit: it reads as empty, never as a truncation that
  // runs past the buffer.
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kBase, "Token", 200), "");
  std::string fits(199, 'q');
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, kBase, "Token", fits), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kBase, "Token", 200), fits);
  std::string qid(99, 'c');
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, kBase, "QID", qid), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kBase, "QID", 100), qid);
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kBase, "Absent", 100), "");
}

TEST_F(Registry, ReadStopsAtTheFirstNul) {
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kBase, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const char withNul[] = "ab\0cd";
  RegSetValueExA(key, "Token", 0, REG_SZ, reinterpret_cast<const BYTE*>(withNul), 5);
  RegCloseKey(key);
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kBase, "Token", 200), "ab");
}

TEST_F(Registry, CreateKeyMakesNestedKeysUnderAnExistingParent) {
  CreateRegistryKey(HKEY_CURRENT_USER, kBase, "Main\\Inner");
  EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, Path("Main\\Inner").c_str()));
  std::string noParent = Path("NoParent");
  CreateRegistryKey(HKEY_CURRENT_USER, noParent.c_str(), "Child");
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, noParent.c_str()));
}

TEST_F(Registry, KeyExistenceNeedsNoDefaultValueButAnOpenableKey) {
  EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kBase));
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kBase, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  std::string longDefault(1000, 'd');
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(longDefault.c_str()),
                 DWORD(longDefault.size() + 1));
  RegCloseKey(key);
  EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kBase));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Path("Nope").c_str()));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\TessavaneNoSuchKey"));
}

TEST_F(Registry, DeletingMissingValuesOrKeysIsIgnored) {
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, kBase, "Phone", "1"), ERROR_SUCCESS);
  DeleteRegistryValue(HKEY_CURRENT_USER, kBase, "Phone");
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kBase, "Phone", 200), "");
  DeleteRegistryValue(HKEY_CURRENT_USER, kBase, "Phone");
  DeleteRegistryValue(HKEY_CURRENT_USER, Path("Gone").c_str(), "Phone");
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, Path("Gone").c_str()));
}

TEST_F(Registry, The64BitViewIsSeparateFromThe32BitOne) {
  // What the runtime scan relies on: a key written in the other view than the process's own
  // (the 64-bit view for the shipped 32-bit program) is invisible to a plain open, and
  // visible with that view's flag.
  const REGSAM other_view = sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  const char key_name[] = "SOFTWARE\\TessavaneViewTest";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_name, 0, nullptr, 0, KEY_WRITE | other_view, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, key_name));
  HKEY opened;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_name, 0, KEY_READ | other_view, &opened), ERROR_SUCCESS);
  RegCloseKey(opened);
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key_name, other_view, 0);
}

}  // namespace
