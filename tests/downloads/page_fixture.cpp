#include "page_fixture.h"

#include <cstdio>
#include <cstdlib>

#include <objbase.h>

#include "page_machinery/product.h"
#include "downloads/cplus_window.h"
#include "downloads/game_window.h"
#include "downloads/net_window.h"
#include "fixture_client.h"
#include "fixture_content.h"
#include "shell_test_support.h"
#include "temp_path.h"
#include "tests/support/test_pictures.h"
#include "wine_path.h"

namespace test_support {

using downloads::RowRole;
using downloads::RowState;

app::PageWindow* DownloadFrame::CreatePage(int index) {
  DuiLib::CPaintManagerUI* manager = &m_PaintManager;
  switch (index) {
    case 5: return new downloads::CPlusWinodw(manager, state_, ops_);
    case 6: return new downloads::NetWindow(manager, state_, ops_);
    case 7: return new downloads::GameWindow(manager, state_, ops_);
  }
  return MainFrameWindow::CreatePage(index);
}

namespace {

int g_testNumber = 0;

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else ::DeleteFileA(path.c_str());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

void DownloadPageTest::SetUp() {
  ::CoInitialize(nullptr);
  scratch_ = TempPath("downloads_" + std::to_string(++g_testNumber));
  root_ = Root("drive");
  ops_ = downloads::SystemPageOps();
  ops_.downloadRoot = [this] { return root_; };
  ops_.imageFolder = [this] { return scratch_ + "\\image\\"; };
  ops_.openFolder = [this](const std::string& folder) { opened_.push_back(folder); };
  ops_.prompt = [this](const std::wstring& title, const std::wstring& message) {
    prompts_.push_back(title + L"|" + message);
  };
}

void DownloadPageTest::TearDown() {
  // Whatever still runs stops; its outcome finds the page gone or finished.
  if (frame_) {
    for (int index : {kCplus, kNet, kGame}) {
      Page(index)->StopTransfers();
      Page(index)->Threads().JoinAll();
    }
    ::DestroyWindow(frame_->GetHWND());
    PumpFor(0);
    frame_.reset();
  }
  RemoveTree(scratch_);
  ::CoUninitialize();
}

void DownloadPageTest::StartFrame() {
  state_.ReplaceCommon(catalogue_);
  frame_ = std::make_unique<DownloadFrame>(state_, ops_);
  ASSERT_NE(frame_->Create(nullptr, app::kProductName, 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
}

downloads::DownloadPage* DownloadPageTest::Page(int index) const {
  return static_cast<downloads::DownloadPage*>(frame_->Page(index));
}

void DownloadPageTest::Show(int index) {
  frame_->ShowPage(index);
  // Fetched off the UI thread: they would count among a test's requests.
  EXPECT_TRUE(PumpUntil([&] { return !Page(index)->FetchingIcons(); }, 30000));
  PumpFor(20);
}

DuiLib::CControlUI* DownloadPageTest::Control(const std::wstring& name) const {
  return frame_->m_PaintManager.FindControl(name);
}

void DownloadPageTest::Click(const std::wstring& name) {
  DuiLib::CControlUI* control = Control(name);
  ASSERT_NE(control, nullptr) << "no control " << std::string(name.begin(), name.end());
  frame_->m_PaintManager.SendNotify(control, L"click");
}

int DownloadPageTest::StateOf(const std::wstring& stem, int id) const {
  // Columns in RowRole order, as the rows are meant to look in each state.
  static const bool kLooks[][downloads::kRowRoleCount] = {
      {false, true, false, false, false, false}, {true, false, false, true, false, true},
      {true, false, false, false, true, true}, {false, false, true, false, false, false}};
  bool shown[downloads::kRowRoleCount];
  for (int i = 0; i < downloads::kRowRoleCount; ++i) {
    DuiLib::CControlUI* control =
        Control(downloads::RowControlName(id, stem, static_cast<RowRole>(i)));
    if (control == nullptr) return -1;
    shown[i] = control->IsVisible();
  }
  for (int state = 0; state < 4; ++state)
    if (std::equal(shown, shown + downloads::kRowRoleCount, kLooks[state])) return state;
  return -1;
}

bool DownloadPageTest::WaitForState(const std::wstring& stem, int id, RowState state,
                                    unsigned ms) {
  return PumpUntil([&] { return StateOf(stem, id) == static_cast<int>(state); }, ms);
}

void DownloadPageTest::DownloadUntilProgress(int index, const std::wstring& stem, int id) {
  Show(index);
  Click(downloads::RowControlName(id, stem, RowRole::kDownload));
  DuiLib::CControlUI* progress = Control(downloads::RowControlName(id, stem, RowRole::kProgress));
  ASSERT_NE(progress, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !progress->GetText().empty(); }, 5000));
}

void DownloadPageTest::WaitForTransfers(int index) {
  Page(index)->Threads().JoinAll();
  // The last outcome arms the page's 10 ms timer; its Finish runs in the loop.
  PumpFor(100);
}

net::CatalogueFile DownloadPageTest::Entry(int id, long long size, long long rate) {
  net::CatalogueFile entry;
  entry.id = id;
  entry.downloadUrl = FixtureUrl("/gen/" + std::to_string(size) +
                                 (rate ? "?rate=" + std::to_string(rate) : ""));
  entry.fileName = "entry " + std::to_string(id);
  entry.memo = "memo " + std::to_string(id);
  entry.imgUrl = FixtureUrl("/files/" + std::to_string(id) + ".png");
  return entry;
}

void DownloadPageTest::ServeIcon(const std::string& name) {
  const std::string path = WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/" + name);
  std::wstring wide(path.begin(), path.end());
  ASSERT_TRUE(WriteWholeFile(wide, SolidPng(43, 42, 10, 120, 200)));
}

std::vector<unsigned char> DownloadPageTest::ReadFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  unsigned char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}

std::vector<unsigned char> DownloadPageTest::Generated(long long size, long long version) {
  std::vector<unsigned char> bytes;
  for (long long i = 0; i < size; ++i) bytes.push_back(fixture::GeneratedByte(i, version));
  return bytes;
}

std::string DownloadPageTest::LocalPath(int index, int id) const {
  const net::CommonCatalogue& common = *state_.Common();
  const net::CatalogueList& list =
      index == kCplus ? common.cplusFiles : index == kNet ? common.netFiles : common.gameFiles;
  for (const net::CatalogueFile& entry : list)
    if (entry.id == id) return state_.WithEntries([&] { return entry.localPath; });
  return "";
}

}  // namespace test_support
