#pragma once
#include <memory>
#include <string>

#include "net/download.h"

namespace downloads {

// What a page hears of a transfer besides net::DownloadResult: the file came whole but did
// not match its digest (it has been removed, where it could be).
constexpr int kTransferDigestMismatch = 3;

// Who hears the transfers of a page, on the download threads, with the UI lock held.
class TransferReceiver {
 public:
  // `kept`: the bytes of the file on disk that this transfer kept and goes on from.
  virtual void OnTransferProgress(int session, long long kept, double now, double total) = 0;
  virtual void OnTransferFinished(int session, int result) = 0;

 protected:
  ~TransferReceiver() = default;
};

// The page's side of its transfers. The page clears it when it goes; transfers still running
// then find nobody to tell. Read and written under the UI lock.
struct TransferLink {
  TransferReceiver* receiver = nullptr;
};

// The listener of one transfer: it knows which download of the page the transfer belongs
// to, so a stopped transfer that reports late is never taken for a newer one. It lives as
// long as its task and deletes itself after the outcome. With an expected digest, a complete
// file that does not match it is removed and reported as kTransferDigestMismatch.
class TransferTicket final : public net::DownloadListener {
 public:
  TransferTicket(std::shared_ptr<TransferLink> link, int session, std::shared_ptr<net::TransferControl> control,
                 std::string expectedMd5 = {})
      : link_(std::move(link)), session_(session), control_(std::move(control)),
        expectedMd5_(std::move(expectedMd5)) {}

  void OnDownloadFinished(int result, const std::string* path) override;
  void OnDownloadProgress(double now, double total) override;

 private:
  std::shared_ptr<TransferLink> link_;
  int session_;
  std::shared_ptr<net::TransferControl> control_;
  std::string expectedMd5_;
};

}  // namespace downloads
