// md5_bench PATH: the digest of a file with FileMd5, the seconds it took and the throughput.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>

#include "platform/md5.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: md5_bench PATH\n");
    return 2;
  }
  struct stat info;
  if (stat(argv[1], &info) != 0) return 1;
  auto started = std::chrono::steady_clock::now();
  std::string digest = platform::FileMd5(argv[1]);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%s seconds %.3f MiB/s %.1f\n", digest.c_str(), seconds, double(info.st_size) / seconds / 1048576.0);
  return digest.empty() ? 1 : 0;
}
