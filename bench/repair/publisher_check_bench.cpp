// publisher_check_bench PATH [ROUNDS]: what the publisher check costs beside the digest check
// that every repaired file already gets, on the same file: the median seconds of each over
// the rounds, and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/md5.h"
#include "repair/publisher_check_win.h"

namespace {

template <class Call>
double MedianSeconds(int rounds, Call call) {
  std::vector<double> seconds;
  for (int i = 0; i < rounds; ++i) {
    auto started = std::chrono::steady_clock::now();
    if (!call()) return -1;
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: publisher_check_bench PATH [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const double digest = MedianSeconds(rounds, [&] { return !platform::FileMd5(argv[1]).empty(); });
  const double signature = MedianSeconds(rounds, [&] { return repair::SignedByTrustedPublisher(argv[1]); });
  if (digest < 0 || signature < 0) {
    std::fprintf(stderr, "publisher_check_bench: %s has no digest or no trusted signature\n", argv[1]);
    return 1;
  }
  std::printf("md5 %.3f s  publisher check %.3f s  ratio %.2f\n", digest, signature, signature / digest);
  return 0;
}
