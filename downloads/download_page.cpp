#include "downloads/download_page.h"

#include "page_machinery/dialog_window.h"
#include "downloads/page_texts.h"
#include "downloads/row_builder.h"
#include "net/image_cache.h"
#include "net/user_paths.h"
#include "platform/path_text.h"
#include "platform/text_conversion.h"
#include "ui/win/ui_lock.h"

namespace downloads {

namespace {

constexpr RowRole kClickRoles[] = {RowRole::kDownload, RowRole::kPause, RowRole::kContinue,
                                   RowRole::kDelete, RowRole::kInstall};

}  // namespace

DownloadPage::DownloadPage(DuiLib::CPaintManagerUI* manager, app::AppState& state,
                           const PageTraits& traits, PageOps ops)
    : PageWindow(manager), state_(state), traits_(traits), ops_(std::move(ops)),
      link_(std::make_shared<TransferLink>()) {
  link_->receiver = this;
}

DownloadPage::~DownloadPage() {
  {
    DuiLib::UiGuard guard;
    link_->receiver = nullptr;
  }
  // Transfers and the icon fetch end within about a second; the icons' worker is waited for,
  // as it arms this page's timer.
  StopTransfers();
  icons_.Stop();
}

void DownloadPage::StopTransfers() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const Transfer& transfer : running_) transfer.control->Stop();
}

void DownloadPage::InitControls() {
  DuiLib::CControlUI* list = FindControl(traits_.listName);
  list_ = DuiLib::ControlAs<DuiLib::CContainerUI>(list);
}

void DownloadPage::OnCommand(const std::string& word) {
  if (word == "init") BuildRows();
}

void DownloadPage::BuildRows() {
  if (rowsBuilt_ || list_ == nullptr) return;
  list_->RemoveAll();
  const app::AppState::CommonPtr common = state_.Common();
  const net::CatalogueList& entries = (*common).*traits_.list;
  // An empty list leaves the page to try again at the next "init".
  if (!entries.empty()) rowsBuilt_ = true;
  const std::string folder = ops_.imageFolder();
  const bool folderMade = ops_.ensureFolder(folder);
  // The icons there are drawn at once; the others are fetched off the UI thread and drawn as
  // they arrive, so that a slow picture server never holds up the window.
  std::vector<RowIcons::Wanted> wanted;
  for (const net::CatalogueFile& entry : entries) {
    const std::string icon = folder + net::ImageFileName(entry);
    const bool there = ops_.fileExists(icon);
    DuiLib::CControlUI* row = BuildRow(entry, traits_.stem, there ? icon : "");
    list_->Add(row);
    if (!there && folderMade) wanted.push_back({entry, row});
  }
  PageOps ops = ops_;
  icons_.Start(
      std::move(wanted),
      [ops, folder](const net::CatalogueFile& entry, const net::StopQuestion& stop) {
        const net::ImageCacheOps images{ops.ensureFolder, ops.fileExists,
                                        [&](const std::string& url, const std::string& path) {
                                          return !stop() && ops.fetchImage(url, path, stop);
                                        }};
        return net::CacheEntryImage(entry, folder, images);
      },
      [folder](const net::CatalogueFile& entry) { return folder + net::ImageFileName(entry); },
      [this] {
        if (list_ && frameManager_) frameManager_->SetTimer(list_, traits_.iconTimerId, 10);
      });
}

void DownloadPage::PlaceIcons() {
  if (list_ && frameManager_) frameManager_->KillTimer(list_, traits_.iconTimerId);
  for (const RowIcons::Arrival& arrival : icons_.Take())
    SetRowIcon(static_cast<DuiLib::CControlUI*>(arrival.row), arrival.iconPath);
}

void DownloadPage::Notify(DuiLib::TNotifyUI& msg) {
  if (_wcsicmp(msg.sType.c_str(), L"timer") == 0) {
    if (msg.wParam == traits_.timerId) Finish();
    if (msg.wParam == traits_.iconTimerId) PlaceIcons();
    return;
  }
  const std::wstring name = app::ClickedName(msg);
  if (!name.empty()) OnClick(name);
}

void DownloadPage::OnClick(const std::wstring& name) {
  for (RowRole role : kClickRoles) {
    const size_t at = name.find(RowRoleSuffix(traits_.stem, role));
    if (at == std::wstring::npos || at == 0) continue;
    const int id = IdFromControlName(name);
    if (id == -1) return;
    switch (role) {
      case RowRole::kDownload: Download(id); break;
      case RowRole::kPause: Pause(id); break;
      case RowRole::kContinue: Continue(id); break;
      case RowRole::kDelete: Delete(id); break;
      case RowRole::kInstall: Install(id); break;
      case RowRole::kProgress: break;
    }
  }
}

bool DownloadPage::FindRow(int id, Row& row) const {
  row.common = state_.Common();
  net::CatalogueList& entries = (*row.common).*traits_.list;
  for (net::CatalogueFile& entry : entries) {
    if (entry.id != id) continue;
    row.entry = &entry;
    row.controls = FindControls(id);
    return row.controls.Complete();
  }
  return false;
}

RowControls DownloadPage::FindControls(int id) const {
  RowControls row;
  for (int i = 0; i < kRowRoleCount; ++i)
    row.controls[i] = FindControl(RowControlName(id, traits_.stem, static_cast<RowRole>(i)));
  return row;
}

void DownloadPage::Download(int id) {
  if (Downloading()) {
    ops_.prompt(L"只允许一个下载", L"只允许一个文件下载，请等待当前文件下载完成或取消。");
    return;
  }
  Row row;
  if (!FindRow(id, row)) return;
  const std::string url = row.entry->downloadUrl;
  const std::string md5 = row.entry->fileMd5;
  const std::string folder = net::DownloadFolder(ops_.downloadRoot(), id);
  if (!ops_.ensureFolder(folder)) {
    // Nothing could be written there: the row stays as it was, and the user hears why.
    TellFolderProblem(folder);
    return;
  }
  const std::string path = folder + platform::LastUrlSegment(url);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    currentId_ = id;
    downloading_ = true;
    resumeOffset_ = 0;
    session_ = ++lastSession_;
    url_ = url;
    md5_ = md5;
    path_ = path;
    validator_.clear();
    waiting_ = Start::kNone;
  }
  row.controls.Get(RowRole::kProgress)->SetText(std::wstring());
  row.controls.Show(RowState::kDownloading);
  state_.WithEntries([&] { row.entry->localPath = path; });
  StartOrWait(Start::kFresh);
}

bool DownloadPage::IsCurrent(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return downloading_ && id == currentId_;
}

void DownloadPage::Pause(int id) {
  Row row;
  if (!IsCurrent(id) || !FindRow(id, row)) return;
  row.controls.Show(RowState::kPaused);
  std::lock_guard<std::mutex> lock(mutex_);
  waiting_ = Start::kNone;
  StopSession(session_);
}

void DownloadPage::Continue(int id) {
  Row row;
  if (!IsCurrent(id) || !FindRow(id, row)) return;
  DuiLib::CControlUI* progress = row.controls.Get(RowRole::kProgress);
  if (progress->GetText() == kTransferFailedText) progress->SetText(std::wstring());
  row.controls.Show(RowState::kDownloading);
  StartOrWait(Start::kResume);
}

void DownloadPage::Delete(int id) {
  Row row;
  if (!IsCurrent(id) || !FindRow(id, row)) return;
  row.controls.Show(RowState::kOffered);
  std::string path;
  bool writing;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    path = path_;
    StopSession(session_);
    writing = Writing(path);
    if (writing) deleteWhenDone_.push_back(path);
    EndSession();
  }
  // A transfer that has not stopped yet still holds the file; it goes when that one ends.
  if (writing || !ops_.fileExists(path)) return;
  ops_.deleteFile(path);
  if (ops_.fileExists(path)) ops_.prompt(kDeleteFailedTitle, NotDeletedText(platform::AnsiToWide(path.c_str())));
}

void DownloadPage::TellFolderProblem(const std::string& folder) {
  ops_.prompt(kDownloadFailedTitle, ops_.leadsElsewhere(folder)
                                        ? std::wstring(kLeadsElsewhereText)
                                        : FolderNotMadeText(platform::AnsiToWide(folder.c_str())));
}

void DownloadPage::EndSession() {
  currentId_ = -1;
  downloading_ = false;
  session_ = 0;
  waiting_ = Start::kNone;
  validator_.clear();
}

void DownloadPage::Install(int id) {
  const app::AppState::CommonPtr common = state_.Common();
  std::string path;
  for (const net::CatalogueFile& entry : (*common).*traits_.list) {
    if (entry.id != id) continue;
    path = state_.WithEntries([&] { return entry.localPath; });
    break;
  }
  // Nothing was downloaded for it in this run: there is no folder to show.
  if (path.empty()) return;
  const size_t slash = path.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? path : path.substr(0, slash);
  if (ops_.folderExists(folder)) ops_.openFolder(folder);
}

int DownloadPage::CurrentEntryId() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return currentId_;
}

bool DownloadPage::Downloading() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return downloading_;
}

long long DownloadPage::ResumeOffset() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return resumeOffset_;
}

}  // namespace downloads
