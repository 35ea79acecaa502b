#include <cctype>
#include <cstdio>
#include <memory>

#include "platform/md5.h"

namespace platform {

std::string FileMd5(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return {};
  // Large blocks keep the digest of a big installer close to the disk's speed; the digest does
  // not depend on the block size.
  const size_t kBlock = 1 << 20;
  std::unique_ptr<unsigned char[]> block(new unsigned char[kBlock]);
  Md5 md5;
  size_t got;
  while ((got = std::fread(block.get(), 1, kBlock, file)) > 0) md5.Update(block.get(), got);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return failed ? std::string() : md5.FinishHex();
}

bool DigestMatches(const std::string& actual, const std::string& expected) {
  if (expected.empty()) return true;
  if (actual.size() != expected.size()) return false;
  for (size_t i = 0; i < actual.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(actual[i])) != std::tolower(static_cast<unsigned char>(expected[i])))
      return false;
  }
  return true;
}

}  // namespace platform
