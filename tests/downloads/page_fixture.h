#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_frame_window.h"
#include "downloads/download_page.h"
#include "downloads/row_state.h"

namespace test_support {

// The main frame with its three download pages built on the test's folders: downloads go
// below a root of the test (which a test may move), icons into a folder of its own, and the
// shell's folder window and the prompt are recorded instead of shown.
class DownloadFrame : public app::MainFrameWindow {
 public:
  DownloadFrame(app::AppState& state, const downloads::PageOps& ops)
      : MainFrameWindow(state, "http://127.0.0.1:1"), ops_(ops) {}

 protected:
  app::PageWindow* CreatePage(int index) override;

 private:
  downloads::PageOps ops_;
};

class DownloadPageTest : public ::testing::Test {
 protected:
  static constexpr int kCplus = 5, kNet = 6, kGame = 7;

  void SetUp() override;
  void TearDown() override;

  // Creates the frame with the catalogue as it stands.
  void StartFrame();
  downloads::DownloadPage* Page(int index) const;
  // Shows the page as its tab does, which gives it "init", and lets its icons arrive.
  void Show(int index);
  DuiLib::CControlUI* Control(const std::wstring& name) const;
  // A click as the framework delivers it: to every receiver of the frame, in order.
  void Click(const std::wstring& name);
  // Which of the row's controls are shown, as a row state; -1 when it matches none. The
  // controls of a hidden page are all hidden, so the page must be the one shown.
  int StateOf(const std::wstring& stem, int id) const;
  bool WaitForState(const std::wstring& stem, int id, downloads::RowState state,
                    unsigned ms = 15000);
  // Shows the page, clicks the row's "下载" and waits for the first progress text.
  void DownloadUntilProgress(int index, const std::wstring& stem, int id);
  // Pumps the loop until every transfer of the page has ended and been finished.
  void WaitForTransfers(int index);

  // An entry whose file is /gen/<size> of the fixture, sent at `rate` bytes a second (0: as
  // fast as it goes); its icon is /files/<id>.png.
  static net::CatalogueFile Entry(int id, long long size, long long rate = 0);
  // Serves a small picture as /files/<name>.
  static void ServeIcon(const std::string& name);
  static std::vector<unsigned char> ReadFile(const std::string& path);
  static std::vector<unsigned char> Generated(long long size, long long version = 0);
  std::string LocalPath(int index, int id) const;
  std::string Root(const std::string& name) const { return scratch_ + "\\" + name; }

  // Request threads of the header may still deliver into the state after the test has
  // ended, so each test's state lives until the process ends.
  app::AppState& state_ = *new app::AppState;
  net::CommonCatalogue catalogue_;
  downloads::PageOps ops_;
  std::string scratch_;
  std::string root_;  // where downloads go; a test may change it between downloads
  std::vector<std::string> opened_;
  std::vector<std::wstring> prompts_;
  std::unique_ptr<DownloadFrame> frame_;
};

}  // namespace test_support
