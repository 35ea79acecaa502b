#pragma once
#include <array>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "catalogue/entry.h"
#include "db/connection_pool.h"

namespace catalogue {

struct CachedReply {
  std::string body;
  std::string etag;  // from the body's bytes, so every instance names the same body alike
};

struct ReplySet {
  int64_t version = -1;
  std::array<CachedReply, 4> lists;  // indexed by ListKind
  // The operator's signed document, as imported; an empty body when the catalogue is unsigned.
  CachedReply signed_document;
  const CachedReply& of(ListKind kind) const { return lists[static_cast<size_t>(kind)]; }
};

// The four catalogue replies, built once and served from memory. A change may come from an
// admin command or another instance, so the catalogue version in the store is polled; a change
// is served within one poll interval plus the time to rebuild.
class CatalogueReplies {
 public:
  // `public_base` is read at every build: the server learns its port after binding.
  CatalogueReplies(ConnectionPool& pool, const std::string& public_base, std::chrono::milliseconds poll_interval);
  ~CatalogueReplies();
  CatalogueReplies(const CatalogueReplies&) = delete;
  CatalogueReplies& operator=(const CatalogueReplies&) = delete;

  // Builds the replies now; returns the reason if the store cannot be read.
  std::string load();
  // Polls on a thread of its own until destroyed.
  void start_polling();
  // Rebuilds when the store's version has moved; false if the store could not be read (the
  // replies already built stay in service).
  bool refresh();
  // Never null after a successful load(). Holders keep their set alive across a rebuild.
  std::shared_ptr<const ReplySet> current() const;

 private:
  void poll_loop();

  ConnectionPool& pool_;
  const std::string& public_base_;
  const std::chrono::milliseconds poll_interval_;
  mutable std::mutex mutex_;  // guards current_ and stopping_
  std::shared_ptr<const ReplySet> current_;
  bool stopping_ = false;
  std::condition_variable stop_;
  std::thread poller_;
};

}  // namespace catalogue
