#include <cstdio>
#include <memory>

#include "repair/md5.h"

namespace repair {

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

}  // namespace repair
