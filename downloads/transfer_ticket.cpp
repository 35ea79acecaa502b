#include "downloads/transfer_ticket.h"

#include <cstdio>

#include "platform/md5.h"
#include "ui/win/ui_lock.h"

namespace downloads {

// The UI lock is taken before the link is read: the page is destroyed under it, so it cannot
// go while one of these calls is in it.
void TransferTicket::OnDownloadProgress(double now, double total) {
  DuiLib::UiGuard guard;
  if (link_->receiver) link_->receiver->OnTransferProgress(session_, control_->KeptBytes(), now, total);
}

void TransferTicket::OnDownloadFinished(int result, const std::string* path) {
  // Checked here, on the download thread and before the UI lock, so a large file does not
  // hold up the window. A file that does not match is no download: it is removed, so that a
  // retry fetches it anew instead of resuming after its wrong bytes.
  if (result == net::kDownloadSucceeded && !expectedMd5_.empty() && path &&
      !platform::DigestMatches(platform::FileMd5(*path), expectedMd5_)) {
    std::remove(path->c_str());
    result = kTransferDigestMismatch;
  }
  {
    DuiLib::UiGuard guard;
    if (link_->receiver) link_->receiver->OnTransferFinished(session_, result);
  }
  delete this;
}

}  // namespace downloads
