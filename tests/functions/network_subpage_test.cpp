// The network sub-page of the advanced functions page in the real main frame under Wine, with
// a recording machine in place of Windows' tools and the program's own prompt.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/game_system_ops.h"
#include "app/network_system_ops.h"
#include "functions/function_window.h"
#include "network_standins.h"
#include "repair_page_support.h"
#include "shell_test_support.h"
#include "ui/win/container.h"
#include "ui/win/label.h"
#include "ui/win/manager_registry.h"
#include "ui/win/paint_manager.h"

namespace {

constexpr int kFunctionPage = 4;
constexpr uint32_t kRunning = 0xFF1E90FF, kGood = 0xFF2BA715, kFault = 0xFFFF3400;

// A status label's text and colour.
using Status = std::pair<std::wstring, uint32_t>;

class NetworkFrame : public app::MainFrameWindow {
 public:
  NetworkFrame(app::AppState& state, functions::NetworkSystemOps machine)
      : MainFrameWindow(state, "http://127.0.0.1:1"), machine_(std::move(machine)) {}

 protected:
  app::PageWindow* CreatePage(int index) override {
    if (index == kFunctionPage)
      return new functions::FunctionWindow(&m_PaintManager, machine_,
                                           app::ProgramGameSystemOps(state_));
    return MainFrameWindow::CreatePage(index);
  }

 private:
  functions::NetworkSystemOps machine_;
};

// Finds the prompt from the UI thread's loop, notes what it says and presses its OK.
struct PromptReader {
  static PromptReader* current;
  std::wstring title, message;
  bool onUiThread = false;
  bool frameDisabled = false;
  HWND frame = nullptr;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND prompt = ::FindWindowW(L"Main_Tip", nullptr);
    DuiLib::CPaintManagerUI* manager = prompt ? DuiLib::FindManagerOf(prompt) : nullptr;
    if (!manager || !::IsWindowVisible(prompt)) return;
    ::KillTimer(nullptr, id);
    PromptReader& r = *current;
    r.title = manager->FindControl(L"tip_ok_title")->GetText();
    r.message = manager->FindControl(L"tip_ok_message")->GetText();
    r.onUiThread = ::GetWindowThreadProcessId(prompt, nullptr) == ::GetCurrentThreadId();
    r.frameDisabled = !::IsWindowEnabled(r.frame);
    const LPARAM ok = MAKELPARAM(156 + 59, 30 + 130 + 20);
    ::PostMessageW(prompt, WM_MOUSEMOVE, 0, ok);
    ::PostMessageW(prompt, WM_LBUTTONDOWN, MK_LBUTTON, ok);
    ::PostMessageW(prompt, WM_LBUTTONUP, 0, ok);
  }
  void Arm(HWND frameWindow) {
    frame = frameWindow;
    current = this;
    ::SetTimer(nullptr, 0, 50, &Tick);
  }
};
PromptReader* PromptReader::current = nullptr;

class NetworkSubpageTest : public RepairPageTest {
 protected:
  void SetUp() override {
    RepairPageTest::SetUp();
    frame_->ShowPage(kFunctionPage);
    Click(L"function_net_btn");
  }
  app::MainFrameWindow* NewFrame() override {
    functions::NetworkSystemOps machine = app::ProgramNetworkSystemOps();
    machine.tools = network_;
    machine.pauses.sleep = [this](unsigned) {
      ++slept_;
      ::Sleep(pauseMs_);
    };
    return new NetworkFrame(state_, machine);
  }

  DuiLib::CContainerUI* Container(DuiLib::CControlUI* control) const {
    return DuiLib::ControlAs<DuiLib::CContainerUI>(control);
  }
  DuiLib::CLabelUI* Cell(int row, int column) const {
    DuiLib::CContainerUI* list = Container(Control(L"function_net_list"));
    DuiLib::CContainerUI* band = Container(list->GetItemAt(row));
    return static_cast<DuiLib::CLabelUI*>(band->GetItemAt(column)->GetInterface(L"Label"));
  }
  std::vector<Status> Statuses() const {
    std::vector<Status> statuses;
    for (int row = 0; row < 6; ++row)
      statuses.push_back({Cell(row, 3)->GetText(), Cell(row, 3)->GetTextColor()});
    return statuses;
  }
  bool Enabled(const wchar_t* name) const { return Control(name)->IsEnabled(); }
  // Check shown and enabled, repair shown and enabled, back enabled.
  std::vector<bool> Buttons() const {
    std::vector<bool> states;
    for (const wchar_t* name : {L"function_net_check", L"function_net_repair"})
      states.insert(states.end(), {Visible(name), Enabled(name)});
    states.push_back(Enabled(L"function_net_back"));
    return states;
  }
  // Runs the loop until the run has given the back button back.
  bool Finished() {
    return PumpUntil([&] { return Enabled(L"function_net_back"); }, 10000);
  }
  bool Run(const wchar_t* button) {
    Click(button);
    return Finished();
  }
  // The calls made from here on.
  std::vector<std::string> CallsAfter(size_t start) const {
    return {network_->calls.begin() + static_cast<long>(start), network_->calls.end()};
  }

  std::shared_ptr<test_support::StandInNetwork> network_ =
      std::make_shared<test_support::StandInNetwork>();
  std::atomic<int> slept_{0};
  std::atomic<unsigned> pauseMs_{0};
};

const Status kEmpty{L"", 0xFF000000};

TEST_F(NetworkSubpageTest, OpeningBuildsTheSixRowsWithEmptyStatuses) {
  struct Expected {
    const wchar_t* title;
    const wchar_t* description;
    int width;
  };
  const Expected rows[] = {
      {L"网络硬件配置", L"检测网卡是否启用、网线是否插好", 190},
      {L"DHCP服务", L"检测DHCP服务是否开启、相关注册表设置是否完好", 285},
      {L"IP地址配置", L"检测IP地址是否存在错误或中突的异常情况", 240},
      {L"DNS配置", L"检测DNS配置是否正常", 135},
      {L"网络代理配置", L"若配置了网络代理服务器，检测代理配置是否正常", 275},
      {L"电脑能否上网", L"检测你的电脑是否可以正常、流畅地直连网络和访问网页", 310}};
  DuiLib::CContainerUI* list = Container(Control(L"function_net_list"));
  ASSERT_EQ(list->GetCount(), 6);
  for (int i = 0; i < 6; ++i) {
    DuiLib::CContainerUI* band = Container(list->GetItemAt(i));
    ASSERT_EQ(band->GetCount(), 4);
    EXPECT_EQ(band->GetClass(), L"HorizontalLayoutUI");
    EXPECT_EQ(band->GetFixedHeight(), 50);
    EXPECT_EQ(band->GetItemAt(0)->GetClass(), L"VerticalLayoutUI");
    EXPECT_EQ(band->GetItemAt(0)->GetFixedWidth(), 50);
    EXPECT_EQ(Cell(i, 1)->GetText(), rows[i].title);
    EXPECT_EQ(Cell(i, 1)->GetFixedWidth(), 150);
    EXPECT_EQ(Cell(i, 2)->GetText(), rows[i].description);
    EXPECT_EQ(Cell(i, 2)->GetFixedWidth(), rows[i].width);
    EXPECT_EQ(Cell(i, 3)->GetFont(), 5);
    EXPECT_EQ(Cell(i, 3)->GetFixedWidth(), 0);  // takes the rest of the row
  }
  EXPECT_EQ(Statuses(), std::vector<Status>(6, kEmpty));
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, false, true, true}));
}

TEST_F(NetworkSubpageTest, ADnsFaultIsRepairedAloneAndOnlyTheWebIsTestedAgain) {
  network_->resolves = false;
  network_->web = false;
  pauseMs_ = 30;
  Click(L"function_net_check");
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, false, false, true, false}));
  ASSERT_TRUE(Finished());
  EXPECT_EQ(Statuses(), (std::vector<Status>{{L"正常", kGood}, {L"正常", kGood},
                                             {L"正常", kGood}, {L"DNS解析异常", kFault},
                                             {L"正常", kGood}, {L"无法正常上网", kFault}}));
  EXPECT_EQ(Buttons(), (std::vector<bool>{false, true, true, true, true}));
  EXPECT_EQ(slept_, 5);

  network_->web = true;
  const size_t start = network_->calls.size();
  Click(L"function_net_repair");
  EXPECT_EQ(Buttons(), (std::vector<bool>{false, true, true, false, false}));
  ASSERT_TRUE(Finished());
  EXPECT_EQ(Statuses(), (std::vector<Status>{{L"正常", kGood}, {L"正常", kGood},
                                             {L"正常", kGood}, {L"已修复", kGood},
                                             {L"正常", kGood}, {L"上网正常", kGood}}));
  // The public server is looked at again before the row says it was repaired.
  EXPECT_EQ(CallsAfter(start),
            (std::vector<std::string>{"FindPhysicalAdapter",
                                      "ReadDnsSettings {5B2C7E0A-1111-2222-3333-444455556666}",
                                      "SetPublicDns 以太网", "CanResolveNames", "CanReachWeb"}));
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, false, true, true}));

  // Opened again: Ready with fresh rows, and the flags of the check are still there.
  Click(L"function_net_back");
  Click(L"function_net_btn");
  EXPECT_EQ(Statuses(), std::vector<Status>(6, kEmpty));
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, false, true, true}));
  ASSERT_TRUE(Run(L"function_net_repair"));
  EXPECT_EQ(Statuses()[3], (Status{L"已修复", kGood}));
}

TEST_F(NetworkSubpageTest, ADnsRepairThatDoesNotHelpIsUndoneAndShownAsAFault) {
  network_->resolves = false;
  network_->resolvesWithPublicDns = false;
  const functions::DnsSettings before = network_->dns;
  ASSERT_TRUE(Run(L"function_net_check"));
  ASSERT_TRUE(Run(L"function_net_repair"));
  EXPECT_EQ(Statuses()[3], (Status{L"DNS解析异常", kFault}));
  EXPECT_TRUE(network_->Called("RestoreDnsSettings 以太网"));
  EXPECT_TRUE(network_->dns == before);
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, false, true, true}));
}

TEST_F(NetworkSubpageTest, WithoutAPhysicalAdapterTheCheckStopsAfterTheFirstRow) {
  network_->adapterFound = false;
  ASSERT_TRUE(Run(L"function_net_check"));
  std::vector<Status> stopped(6, kEmpty);
  stopped[0] = {L"未找到物理网卡适配器，检测终止", kFault};
  EXPECT_EQ(Statuses(), stopped);
  EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, false, true, true}));
  EXPECT_EQ(network_->calls, std::vector<std::string>{"FindPhysicalAdapter"});
}

TEST_F(NetworkSubpageTest, AnUnpluggedCableIsAskedForInTheProgramsModalPrompt) {
  network_->adapter.connectionStatus = "7";
  ASSERT_TRUE(Run(L"function_net_check"));
  EXPECT_EQ(Statuses()[0], (Status{L"网络未连接，请检查网线或WIFI连接", kFault}));
  EXPECT_EQ(Buttons(), (std::vector<bool>{false, true, true, true, true}));

  PromptReader prompt;
  prompt.Arm(frame_->GetHWND());
  const size_t start = network_->calls.size();
  ASSERT_TRUE(Run(L"function_net_repair"));
  EXPECT_EQ(prompt.title, L"网络未连接");
  EXPECT_EQ(prompt.message, L"检测到网络未连接，请插好网线或连接WIFI后点击确定");
  EXPECT_TRUE(prompt.onUiThread);
  EXPECT_TRUE(prompt.frameDisabled);
  EXPECT_TRUE(::IsWindowEnabled(frame_->GetHWND()));
  EXPECT_EQ(CallsAfter(start), std::vector<std::string>{"FindPhysicalAdapter"});
  EXPECT_EQ(Buttons(), (std::vector<bool>{false, true, true, true, true}));
}

TEST_F(NetworkSubpageTest, AFrameClosedDuringACheckStopsItsWorkerWithoutWaitingThePauses) {
  pauseMs_ = 300;
  Click(L"function_net_check");
  ASSERT_TRUE(PumpUntil([&] { return slept_ > 0; }, 5000));
  EXPECT_EQ(Statuses()[1], (Status{L"检测中...", kRunning}));
  ::DestroyWindow(frame_->GetHWND());
  frame_.reset();
  // The worker has ended: the sequence ran out without its remaining pauses.
  EXPECT_EQ(network_->calls.back(), "CanReachWeb");
  EXPECT_LT(slept_, 5);
}

}  // namespace
