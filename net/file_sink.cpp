#include "net/file_sink.h"

#include <cstring>

namespace net {

FileSink::FileSink(std::FILE* file, size_t bufferBytes)
    : file_(file), bufferBytes_(bufferBytes), writer_([this] { WriterLoop(); }) {
  filling_.reserve(bufferBytes_);
  writing_.reserve(bufferBytes_);
}

FileSink::~FileSink() { Finish(); }

void FileSink::WriterLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return pending_ || stopping_; });
    if (!pending_) return;
    // The buffer is the writer's while pending_ is set, so the write runs without the lock.
    lock.unlock();
    bool ok = std::fwrite(writing_.data(), 1, writing_.size(), file_) == writing_.size();
    lock.lock();
    if (!ok) failed_ = true;
    writing_.clear();
    pending_ = false;
    changed_.notify_all();
  }
}

bool FileSink::HandOver() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return !pending_; });
  if (failed_) return false;
  writing_.swap(filling_);
  pending_ = !writing_.empty();
  changed_.notify_all();
  return true;
}

bool FileSink::Write(const char* data, size_t size) {
  if (finished_) return false;
  while (size > 0) {
    size_t room = bufferBytes_ - filling_.size();
    size_t take = size < room ? size : room;
    filling_.insert(filling_.end(), data, data + take);
    data += take;
    size -= take;
    if (filling_.size() == bufferBytes_ && !HandOver()) return false;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  return !failed_;
}

bool FileSink::Finish() {
  if (finished_) {
    std::lock_guard<std::mutex> lock(mutex_);
    return !failed_;
  }
  finished_ = true;
  HandOver();
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return !pending_; });
    stopping_ = true;
    changed_.notify_all();
  }
  writer_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  return !failed_ && std::fflush(file_) == 0;
}

}  // namespace net
