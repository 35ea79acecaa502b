#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "page_machinery/app_state.h"
#include "page_machinery/page_window.h"
#include "downloads/page_system.h"
#include "downloads/row_icons.h"
#include "downloads/row_names.h"
#include "downloads/row_state.h"
#include "downloads/transfer_ticket.h"
#include "net/thread_list.h"

namespace downloads {

// What tells the three download pages apart.
struct PageTraits {
  const wchar_t* layoutFile;
  const wchar_t* listName;  // the vertical layout that holds the rows
  const wchar_t* stem;      // in every row control's name, lower case
  net::CatalogueList net::CommonCatalogue::*list;
  unsigned timerId;
  unsigned iconTimerId;  // an icon arrived
};

// A download list: one row per entry of a catalogue list, built the first time the page is
// shown with entries; each row downloads its file with pause, continue and delete, and opens
// its folder once the file is complete. One download per page at a time.
//
// A download, from its "下载" click to its delete or completion, is a session. Transfers
// report on their own threads; a transfer of an ended session changes nothing on the page,
// and a transfer that would write to a file that an earlier one still writes waits for it.
// Each transfer has its own stop: a pause or delete here never stops another page's. A
// continue sends the validator the server gave the bytes on disk, so that bytes of a file
// changed since are never joined onto them. Whatever fails is told: a folder that cannot be
// made, a file that cannot be replaced or deleted, a file that fails its digest.
class DownloadPage : public app::PageWindow, private TransferReceiver {
 public:
  DownloadPage(DuiLib::CPaintManagerUI* manager, app::AppState& state, const PageTraits& traits,
               PageOps ops = SystemPageOps());
  ~DownloadPage() override;

  const wchar_t* LayoutFile() const override { return traits_.layoutFile; }
  // "init" builds the rows unless they were built before; other words are ignored.
  void OnCommand(const std::string& word) override;
  void Notify(DuiLib::TNotifyUI& msg) override;

  bool RowsBuilt() const { return rowsBuilt_; }
  // The icons that were not cached yet are still being fetched.
  bool FetchingIcons() const { return icons_.Fetching(); }
  // Stops every transfer of the page (each ends within about a second); the page going does.
  void StopTransfers();
  int CurrentEntryId() const;
  bool Downloading() const;
  long long ResumeOffset() const;
  // The transfer threads this page started; tests wait for them.
  net::ThreadList& Threads() { return threads_; }

 protected:
  void InitControls() override;

 private:
  enum class Start { kNone, kFresh, kResume };
  // What an ended transfer leaves to do on the page.
  enum class Step { kNothing, kDownloaded, kStopped, kFailed, kDigestFailed, kStartWaiting };
  struct Transfer {
    int session;
    std::string path;
    std::shared_ptr<net::TransferControl> control;
  };
  struct Row {
    app::AppState::CommonPtr common;  // keeps the entry alive
    net::CatalogueFile* entry = nullptr;
    RowControls controls;
  };

  void BuildRows();
  void OnClick(const std::wstring& name);
  void Download(int id);
  void Pause(int id);
  void Continue(int id);
  void Delete(int id);
  void Install(int id);
  void Finish();
  // The icons that arrived, onto their rows (UI thread).
  void PlaceIcons();
  // After a step of Finish: what the row of the entry shows.
  void ShowStep(Step step, int id);

  // The first entry with the id in the page's list and its row's controls; false when
  // either is missing.
  bool FindRow(int id, Row& row) const;
  RowControls FindControls(int id) const;
  bool IsCurrent(int id) const;
  // With the mutex held: whether a transfer of this page still writes to the file.
  bool Writing(const std::string& path) const;
  // With the mutex held: forgets the ended transfer and says what follows from its result;
  // `remove` gets the file of a deleted download that nothing writes to any more.
  Step Settle(int session, int result, std::string& remove);
  void StartOrWait(Start kind);
  void Begin(Start kind);
  // With the mutex held: stops the running transfers of the session.
  void StopSession(int session);
  // A download that cannot start: the session ends and its row offers the download again.
  void AbandonBeforeStart();
  void EndSession();
  // The prompt for a download folder that could not be made.
  void TellFolderProblem(const std::string& folder);
  void OnTransferProgress(int session, long long kept, double now, double total) override;
  void OnTransferFinished(int session, int result) override;

  app::AppState& state_;
  const PageTraits traits_;
  const PageOps ops_;
  std::shared_ptr<TransferLink> link_;
  net::ThreadList threads_;
  RowIcons icons_;
  DuiLib::CContainerUI* list_ = nullptr;
  bool rowsBuilt_ = false;

  mutable std::mutex mutex_;  // the fields below; never held while controls are touched
  int currentId_ = -1;
  bool downloading_ = false;
  long long resumeOffset_ = 0;
  int session_ = 0;  // 0: no download
  int lastSession_ = 0;
  std::string url_, path_, md5_;
  // What the server said of the bytes on disk of this session's file (sent as If-Range).
  std::string validator_;
  Start waiting_ = Start::kNone;
  std::vector<Transfer> running_;
  std::vector<std::pair<int, int>> outcomes_;  // session, result
  std::vector<std::string> deleteWhenDone_;
};

}  // namespace downloads
