// The transfers of a download page: starting them, what they report on their threads, and
// the finish on the UI thread.
#include <algorithm>

#include "downloads/download_page.h"
#include "platform/path_text.h"

namespace downloads {

bool DownloadPage::Writing(const std::string& path) const {
  return std::any_of(running_.begin(), running_.end(),
                     [&](const Transfer& transfer) { return transfer.path == path; });
}

void DownloadPage::StartOrWait(Start kind) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // Two transfers appending to one file would interleave their bytes; the new one starts
    // when the old one has stopped (Finish).
    if (Writing(path_)) {
      waiting_ = kind;
      return;
    }
  }
  Begin(kind);
}

void DownloadPage::Begin(Start kind) {
  int session;
  std::string url, path, md5;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    session = session_;
    url = url_;
    path = path_;
    md5 = md5_;
  }
  if (session == 0) return;
  if (ops_.leadsElsewhere(path)) {
    // Someone made the download folder lead into another one; nothing is written or deleted.
    AbandonBeforeStart();
    ops_.prompt(L"下载失败", L"下载目录指向了其他位置，为保护电脑上的文件，本次下载已停止。");
    return;
  }
  long long offset = 0;
  if (kind == Start::kFresh) {
    // A fresh download never resumes: what lies there is from another run or entry.
    if (ops_.fileExists(path)) ops_.deleteFile(path);
    if (ops_.fileExists(path)) {
      // Resuming those bytes would pass them off as the start of this file.
      AbandonBeforeStart();
      return;
    }
  } else {
    offset = std::max(0LL, ops_.fileSize(path));
  }
  // The folder may have gone since the download began.
  ops_.ensureFolder(platform::FolderOfPath(path));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    resumeOffset_ = offset;
    running_.push_back(Transfer{session, path});
  }
  auto task = std::make_unique<net::DownloadTask>();
  task->url = url;
  task->path = path;
  // Nothing may appear at the path between its removal above and the transfer's start.
  task->createNew = kind == Start::kFresh;
  task->listener = new TransferTicket(link_, session, md5);
  net::StartDownload(threads_, std::move(task));
}

void DownloadPage::AbandonBeforeStart() {
  RowControls row = FindControls(CurrentEntryId());
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EndSession();
  }
  if (row.Complete()) row.Show(RowState::kOffered);
}

void DownloadPage::OnTransferProgress(int session, double now, double total) {
  int id;
  long long offset;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (session != session_) return;
    id = currentId_;
    offset = resumeOffset_;
  }
  if (DuiLib::CControlUI* label = FindControl(RowControlName(id, traits_.stem, RowRole::kProgress)))
    label->SetText(ProgressText(ProgressPercent(static_cast<double>(offset), now, total)));
}

void DownloadPage::OnTransferFinished(int session, int result) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    outcomes_.emplace_back(session, result);
  }
  // Recorded first: a Finish that this timer no longer wakes has already seen it.
  if (list_ && frameManager_) frameManager_->SetTimer(list_, traits_.timerId, 10);
}

DownloadPage::Step DownloadPage::Settle(int session, int result, std::string& remove) {
  std::string path;
  auto ended = std::find_if(running_.begin(), running_.end(),
                            [&](const Transfer& transfer) { return transfer.session == session; });
  if (ended != running_.end()) {
    path = ended->path;
    running_.erase(ended);
  }
  const bool stillWritten = Writing(path);
  auto doomed = std::find(deleteWhenDone_.begin(), deleteWhenDone_.end(), path);
  if (doomed != deleteWhenDone_.end() && !stillWritten) {
    deleteWhenDone_.erase(doomed);
    remove = path;
  }
  const bool current = session_ != 0 && session == session_;
  if (current && result == net::kDownloadSucceeded) {
    downloading_ = false;
    waiting_ = Start::kNone;
    return Step::kDownloaded;
  }
  // A start that waited for this transfer to let go of its file.
  if (waiting_ != Start::kNone && session_ != 0 && path == path_ && !stillWritten)
    return Step::kStartWaiting;
  return current ? Step::kStopped : Step::kNothing;
}

void DownloadPage::Finish() {
  if (list_ && frameManager_) frameManager_->KillTimer(list_, traits_.timerId);
  std::vector<std::pair<int, int>> outcomes;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    outcomes.swap(outcomes_);
  }
  for (const auto& [session, result] : outcomes) {
    std::string remove;
    Step step;
    int id;
    Start waiting;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      step = Settle(session, result, remove);
      id = currentId_;
      waiting = waiting_;
      if (step == Step::kStartWaiting) waiting_ = Start::kNone;
    }
    // A new download of the same file would delete it anyway before it starts.
    if (!remove.empty() && ops_.fileExists(remove)) ops_.deleteFile(remove);
    if (step == Step::kStartWaiting) {
      Begin(waiting);
      continue;
    }
    RowControls row = FindControls(id);
    if (!row.Complete()) continue;
    // A transfer that failed, or was stopped by a pause on another page, shows as paused: its
    // continue tries again from the bytes on disk.
    if (step == Step::kDownloaded) row.Show(RowState::kDownloaded);
    if (step == Step::kStopped) row.Show(RowState::kPaused);
  }
}

}  // namespace downloads
