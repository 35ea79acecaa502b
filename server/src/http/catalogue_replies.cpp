#include "http/catalogue_replies.h"

#include <iostream>

#include "catalogue/catalogue_store.h"
#include "http/reply_bodies.h"
#include "util/digests.h"

namespace catalogue {

CatalogueReplies::CatalogueReplies(ConnectionPool& pool, const std::string& public_base,
                                   std::chrono::milliseconds poll_interval)
    : pool_(pool), public_base_(public_base), poll_interval_(poll_interval) {}

CatalogueReplies::~CatalogueReplies() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  stop_.notify_all();
  if (poller_.joinable()) poller_.join();
}

std::string CatalogueReplies::load() {
  if (refresh()) return std::string();
  return "cannot read the catalogue: " + pool_.lease()->last_error();
}

bool CatalogueReplies::refresh() {
  std::shared_ptr<const ReplySet> old = current();
  auto fresh = std::make_shared<ReplySet>();
  Catalogue catalogue;
  {
    ConnectionPool::Lease db = pool_.lease();
    CatalogueStore store(*db);
    int64_t version = store.version();
    if (version < 0) return false;
    if (old && version == old->version) return true;
    fresh->version = store.load_snapshot(catalogue);
    if (fresh->version < 0) return false;
  }
  std::array<std::string, 4> bodies = build_reply_bodies(catalogue, public_base_);
  for (size_t i = 0; i < bodies.size(); ++i)
    fresh->lists[i] = CachedReply{bodies[i], "\"" + sha256_hex(bodies[i]).substr(0, 32) + "\""};
  if (!catalogue.signedDocument.empty())
    fresh->signed_document = CachedReply{catalogue.signedDocument,
                                         "\"" + sha256_hex(catalogue.signedDocument).substr(0, 32) + "\""};
  std::lock_guard<std::mutex> lock(mutex_);
  current_ = std::move(fresh);
  return true;
}

std::shared_ptr<const ReplySet> CatalogueReplies::current() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return current_;
}

void CatalogueReplies::start_polling() { poller_ = std::thread([this] { poll_loop(); }); }

void CatalogueReplies::poll_loop() {
  bool failing = false;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (stop_.wait_for(lock, poll_interval_, [this] { return stopping_; })) return;
    }
    bool ok = refresh();
    // One line per outage, not one per poll.
    if (!ok && !failing) std::cerr << "catalogue: cannot read the store; serving the replies built before\n";
    if (ok && failing) std::cerr << "catalogue: the store answers again\n";
    failing = !ok;
  }
}

}  // namespace catalogue
