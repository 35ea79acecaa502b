// Every stand-in installer that build.sh makes for the demo catalogue, run under Wine exactly as
// its manifest line says: with its switches it creates its key in its view and only there;
// without them it creates nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include "run_installer.h"
#include "wine_path.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string manifest_path;
std::string files_dir;

struct Line {
  std::string file, root, subkey, args;
  int view = 32;
};

std::vector<Line> read_manifest() {
  std::vector<Line> lines;
  std::ifstream in(manifest_path);
  std::string text;
  while (std::getline(in, text)) {
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream s(text);
    std::string part;
    while (std::getline(s, part, '\t')) f.push_back(part);
    if (f.size() != 5) {
      ADD_FAILURE() << "bad manifest line: " << text;
      continue;
    }
    lines.push_back(Line{f[0], f[1], f[2], f[4], f[3] == "64" ? 64 : 32});
  }
  return lines;
}

HKEY root_of(const Line& l) { return l.root == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
REGSAM view_flag(int bits) { return bits == 64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

bool exists(const Line& l, int bits) {
  HKEY key;
  if (RegOpenKeyExA(root_of(l), l.subkey.c_str(), 0, KEY_READ | view_flag(bits), &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void remove(const Line& l) {
  for (int bits : {32, 64}) RegDeleteKeyExA(root_of(l), l.subkey.c_str(), view_flag(bits), 0);
}

}  // namespace

TEST(DemoStandIns, EachInstallerWritesItsKeyInItsViewOnlyWithItsSwitches) {
  std::vector<Line> lines = read_manifest();
  ASSERT_GE(lines.size(), 12u);
  for (const Line& l : lines) {
    std::string exe = test_support::WinePath(files_dir + "/" + l.file);
    remove(l);
    EXPECT_EQ(standin_test::RunInstaller(exe, ""), 1) << l.file;
    EXPECT_EQ(standin_test::RunInstaller(exe, l.args + " /extra"), 1) << l.file;
    EXPECT_FALSE(exists(l, 32) || exists(l, 64)) << l.file << " changed the registry without its switches";
    EXPECT_EQ(standin_test::RunInstaller(exe, l.args), 0) << l.file;
    EXPECT_TRUE(exists(l, l.view)) << l.file << " did not create " << l.subkey;
    if (root_of(l) == HKEY_LOCAL_MACHINE)
      EXPECT_FALSE(exists(l, l.view == 64 ? 32 : 64)) << l.file << " wrote the other registry view";
    remove(l);
  }
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    fprintf(stderr, "usage: standin_manifest_test INSTALLERS_TSV FILES_DIR\n");
    return 2;
  }
  manifest_path = test_support::WinePath(argv[1]);
  files_dir = argv[2];
  return RUN_ALL_TESTS();
}
