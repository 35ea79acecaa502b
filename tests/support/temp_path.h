#pragma once
#include <cstdlib>
#include <cstdio>
#include <string>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace test_support {

// A path for a scratch file in the system's temporary folder (TEMP on Windows, TMPDIR or /tmp
// elsewhere), unique per process so parallel test runs do not collide.
inline std::string TempPath(const std::string& name) {
#ifdef _WIN32
  const char* base = std::getenv("TEMP");
  std::string folder = base && *base ? base : ".";
  return folder + "\\tessa_" + std::to_string(_getpid()) + "_" + name;
#else
  const char* base = std::getenv("TMPDIR");
  std::string folder = base && *base ? base : "/tmp";
  return folder + "/tessa_" + std::to_string(getpid()) + "_" + name;
#endif
}

// A file's bytes, empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

}  // namespace test_support
