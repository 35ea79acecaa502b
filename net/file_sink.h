#pragma once
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace net {

// Writes a download's body to its file on a thread of its own, so that receiving the next
// piece and writing the last one overlap: where writes are slow (under Wine they cost as much
// as the receiving) that nearly doubles the throughput. Two buffers of the given size at most
// are held: one filling, one being written.
class FileSink {
 public:
  FileSink(std::FILE* file, size_t bufferBytes);
  ~FileSink();
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // False once any write has failed; nothing more is written after that.
  bool Write(const char* data, size_t size);
  // Writes what is left and waits for it; true when every byte reached the file. The file
  // itself stays open: it belongs to the caller.
  bool Finish();

 private:
  void WriterLoop();
  bool HandOver();  // passes the filling buffer to the writer, waiting while it is busy

  std::FILE* file_;
  const size_t bufferBytes_;
  std::vector<char> filling_;
  std::vector<char> writing_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool pending_ = false;  // writing_ holds bytes the writer has not written yet
  bool stopping_ = false;
  bool failed_ = false;
  bool finished_ = false;
  std::thread writer_;
};

}  // namespace net
