#pragma once
#include <unistd.h>

#include <cstdint>

namespace catalogue {

// A reply body that is a piece of an open file, which the connection sends itself: the handler
// only opens the file and says which bytes.
struct FileBody {
  int fd = -1;  // owned
  uint64_t offset = 0;
  uint64_t length = 0;

  FileBody() = default;
  FileBody(const FileBody&) = delete;
  FileBody& operator=(const FileBody&) = delete;
  ~FileBody() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace catalogue
