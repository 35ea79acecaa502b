// The transfers of a download page: starting them, what they report on their threads, and
// the finish on the UI thread.
#include <algorithm>

#include "downloads/download_page.h"
#include "downloads/page_texts.h"
#include "platform/path_text.h"
#include "platform/text_conversion.h"

namespace downloads {

namespace {

std::wstring Wide(const std::string& path) { return platform::AnsiToWide(path.c_str()); }

}  // namespace

bool DownloadPage::Writing(const std::string& path) const {
  return std::any_of(running_.begin(), running_.end(),
                     [&](const Transfer& transfer) { return transfer.path == path; });
}

void DownloadPage::StopSession(int session) {
  for (const Transfer& transfer : running_)
    if (transfer.session == session) transfer.control->Stop();
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
  std::string url, path, md5, validator;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    session = session_;
    url = url_;
    path = path_;
    md5 = md5_;
    validator = validator_;
  }
  if (session == 0) return;
  if (ops_.leadsElsewhere(path)) {
    // Someone made the download folder lead into another one; nothing is written or deleted.
    AbandonBeforeStart();
    ops_.prompt(kDownloadFailedTitle, kLeadsElsewhereText);
    return;
  }
  long long offset = 0;
  if (kind == Start::kFresh) {
    // A fresh download never resumes: what lies there is from another run or entry.
    if (ops_.fileExists(path)) ops_.deleteFile(path);
    if (ops_.fileExists(path)) {
      // Resuming those bytes would pass them off as the start of this file.
      AbandonBeforeStart();
      ops_.prompt(kDownloadFailedTitle, NotReplacedText(Wide(path)));
      return;
    }
  } else if (!validator.empty()) {
    // Without a validator the transfer starts again from zero (net::DownloadTask).
    offset = std::max(0LL, ops_.fileSize(path));
  }
  // The folder may have gone since the download began.
  const std::string folder = platform::FolderOfPath(path) + "\\";
  if (!ops_.ensureFolder(folder)) {
    AbandonBeforeStart();
    TellFolderProblem(folder);
    return;
  }
  auto control = std::make_shared<net::TransferControl>();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    resumeOffset_ = offset;
    running_.push_back(Transfer{session, path, control});
  }
  auto task = std::make_unique<net::DownloadTask>();
  task->url = url;
  task->path = path;
  // Nothing may appear at the path between its removal above and the transfer's start.
  task->createNew = kind == Start::kFresh;
  task->validator = kind == Start::kFresh ? std::string() : validator;
  task->control = control;
  task->listener = new TransferTicket(link_, session, control, md5);
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

void DownloadPage::OnTransferProgress(int session, long long kept, double now, double total) {
  int id;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (session != session_) return;
    id = currentId_;
    // A file changed on the server starts again from zero: nothing on disk counts then.
    resumeOffset_ = kept;
  }
  if (DuiLib::CControlUI* label = FindControl(RowControlName(id, traits_.stem, RowRole::kProgress)))
    label->SetText(ProgressText(ProgressPercent(static_cast<double>(kept), now, total)));
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
  const bool current = session_ != 0 && session == session_;
  if (ended != running_.end()) {
    path = ended->path;
    // What the server said of the bytes now on disk; a transfer stopped before any answer
    // leaves them as the last one described them.
    if (current && ended->control->Answered()) validator_ = ended->control->Validator();
    running_.erase(ended);
  }
  const bool stillWritten = Writing(path);
  auto doomed = std::find(deleteWhenDone_.begin(), deleteWhenDone_.end(), path);
  if (doomed != deleteWhenDone_.end() && !stillWritten) {
    deleteWhenDone_.erase(doomed);
    remove = path;
  }
  if (current && result == net::kDownloadSucceeded) {
    downloading_ = false;
    waiting_ = Start::kNone;
    return Step::kDownloaded;
  }
  if (current && result == kTransferDigestMismatch) {
    // The row goes back to its start: a continue would only fetch the same wrong file.
    EndSession();
    if (!stillWritten) remove = path;
    return Step::kDigestFailed;
  }
  // A start that waited for this transfer to let go of its file.
  if (waiting_ != Start::kNone && session_ != 0 && path == path_ && !stillWritten)
    return Step::kStartWaiting;
  if (!current) return Step::kNothing;
  return result == net::kDownloadFailed ? Step::kFailed : Step::kStopped;
}

void DownloadPage::Finish() {
  if (list_ && frameManager_) frameManager_->KillTimer(list_, traits_.timerId);
  std::vector<std::pair<int, int>> outcomes;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    outcomes.swap(outcomes_);
  }
  // Told after the rows are right: a prompt's modal loop runs timers, this one included.
  std::vector<std::pair<const wchar_t*, std::wstring>> told;
  for (const auto& [session, result] : outcomes) {
    std::string remove, path;
    Step step;
    int id;
    Start waiting;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      id = currentId_;
      path = path_;
      step = Settle(session, result, remove);
      waiting = waiting_;
      if (step == Step::kStartWaiting) waiting_ = Start::kNone;
    }
    // A new download of the same file would delete it anyway before it starts.
    bool removed = true;
    if (!remove.empty() && ops_.fileExists(remove)) {
      ops_.deleteFile(remove);
      removed = !ops_.fileExists(remove);
      if (!removed && step != Step::kDigestFailed) told.emplace_back(kDeleteFailedTitle, NotDeletedText(Wide(remove)));
    }
    if (step == Step::kStartWaiting) {
      Begin(waiting);
      continue;
    }
    if (step == Step::kDigestFailed) told.emplace_back(kDigestFailedTitle, DigestFailedText(removed, Wide(path)));
    ShowStep(step, id);
  }
  for (const auto& [title, message] : told) ops_.prompt(title, message);
}

void DownloadPage::ShowStep(Step step, int id) {
  RowControls row = FindControls(id);
  if (!row.Complete()) return;
  switch (step) {
    case Step::kDownloaded: row.Show(RowState::kDownloaded); break;
    // Stopped by the user's pause: the row shows paused already.
    case Step::kStopped: row.Show(RowState::kPaused); break;
    // A transfer that failed (the network, the server, its bounds) shows as paused with the
    // failure in its progress label: its continue tries again from the bytes on disk.
    case Step::kFailed:
      row.Show(RowState::kPaused);
      row.Get(RowRole::kProgress)->SetText(kTransferFailedText);
      break;
    case Step::kDigestFailed:
      row.Get(RowRole::kProgress)->SetText(std::wstring());
      row.Show(RowState::kOffered);
      break;
    default: break;
  }
}

}  // namespace downloads
