// The download pages on the catalogue that the header loads from the real server with the
// demo catalogue: the rows of each list, and a file of it downloaded from the server.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/main_frame_window.h"
#include "page_machinery/product.h"
#include "app/settings.h"
#include "downloads/net_window.h"
#include "shell_test_support.h"

namespace {

// The frame with the real .NET page, its downloads under a folder of the test.
class Frame : public app::MainFrameWindow {
 public:
  Frame(app::AppState& state, const std::string& url, std::string root)
      : MainFrameWindow(state, url), root_(std::move(root)) {}

 protected:
  app::PageWindow* CreatePage(int index) override {
    if (index != 6) return MainFrameWindow::CreatePage(index);
    downloads::PageOps ops = downloads::SystemPageOps();
    ops.downloadRoot = [root = root_] { return root; };
    return new downloads::NetWindow(&m_PaintManager, state_, ops);
  }

 private:
  std::string root_;
};

class DownloadCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("TESSA_PROXY_URL") == nullptr)
      GTEST_SKIP() << "run by with-catalogue-server";
    app::ForgetToken();
    state_.channel = "guanwang";
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "tessa_catalogue_" + std::to_string(::GetCurrentProcessId());
    frame_ = std::make_unique<Frame>(state_, std::getenv("TESSA_PROXY_URL"), root_);
    ASSERT_NE(frame_->Create(nullptr, app::kProductName, 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
  }
  void TearDown() override {
    if (frame_ && ::IsWindow(frame_->GetHWND())) ::DestroyWindow(frame_->GetHWND());
    PumpFor(0);
  }
  void Click(const wchar_t* name) {
    DuiLib::CControlUI* control = frame_->m_PaintManager.FindControl(name);
    ASSERT_NE(control, nullptr);
    frame_->m_PaintManager.SendNotify(control, L"click");
  }
  DuiLib::CControlUI* Control(const wchar_t* name) {
    return frame_->m_PaintManager.FindControl(name);
  }

  // Request threads may still deliver into the state after the test has ended.
  app::AppState& state_ = *new app::AppState;
  std::unique_ptr<Frame> frame_;
  std::string root_;
};

TEST_F(DownloadCatalogueTest, TheTabShowsTheListThatTheHeaderLoadedAndItsFilesDownload) {
  // The system list is the last of the header's chain.
  ASSERT_TRUE(PumpUntil([&] { return state_.SystemFiles()->size() > 0; }, 30000));
  Click(L"system_net");
  ASSERT_TRUE(PumpUntil([&] { return frame_->CurrentPage() == 6; }, 3000));
  for (const wchar_t* name : {L"111_netdownload", L"112_netdownload", L"113_netdownload"})
    EXPECT_NE(Control(name), nullptr);
  EXPECT_EQ(Control(L"101_cplusdownload"), nullptr);  // that page has not been shown
  auto container = [](DuiLib::CControlUI* control) {
    return static_cast<DuiLib::CContainerUI*>(control->GetInterface(L"Container"));
  };
  DuiLib::CContainerUI* row = container(container(Control(L"net_list"))->GetItemAt(0));
  EXPECT_EQ(row->GetItemAt(0)->GetText(), L".NET Framework 4.8");
  EXPECT_EQ(row->GetItemAt(1)->GetText(), L"离线安装包，适用于 Windows 7 SP1 及以上");

  Click(L"113_netdownload");
  ASSERT_TRUE(PumpUntil([&] { return Control(L"113_netinstall")->IsVisible(); }, 15000));
  const std::string path = root_ + "\\Tessavane\\113\\ndp35-sp1.exe";
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  char head[2] = {};
  EXPECT_EQ(std::fread(head, 1, 2, file), 2u);
  std::fclose(file);
  EXPECT_EQ(std::string(head, 2), "MZ");  // the stand-in installer, not an error page
  ::DeleteFileA(path.c_str());
  ::RemoveDirectoryA((root_ + "\\Tessavane\\113").c_str());
  ::RemoveDirectoryA((root_ + "\\Tessavane").c_str());
  ::RemoveDirectoryA(root_.c_str());
}

}  // namespace
