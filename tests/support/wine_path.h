#pragma once
#include <string>

namespace test_support {

// Wine shows the Unix root as drive Z:, so a path handed over by the Linux side of the tests
// (ctest, the fixture servers) is reachable as "Z:" and the path with backslashes. A Windows
// path passes unchanged.
inline std::string WinePath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

}  // namespace test_support
