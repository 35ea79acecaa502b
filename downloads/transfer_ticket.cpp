#include "downloads/transfer_ticket.h"

#include "ui/win/ui_lock.h"

namespace downloads {

// The UI lock is taken before the link is read: the page is destroyed under it, so it cannot
// go while one of these calls is in it.
void TransferTicket::OnDownloadProgress(double now, double total) {
  DuiLib::UiGuard guard;
  if (link_->receiver) link_->receiver->OnTransferProgress(session_, now, total);
}

void TransferTicket::OnDownloadFinished(int result, const std::string*) {
  {
    DuiLib::UiGuard guard;
    if (link_->receiver) link_->receiver->OnTransferFinished(session_, result);
  }
  delete this;
}

}  // namespace downloads
