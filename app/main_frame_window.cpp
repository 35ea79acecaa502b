#include "app/main_frame_window.h"

#include "app/game_system_ops.h"
#include "app/network_system_ops.h"
#include "app/system_window.h"
#include "page_machinery/ui_thread_call.h"
#include "downloads/cplus_window.h"
#include "downloads/game_window.h"
#include "downloads/net_window.h"
#include "functions/function_window.h"
#include "repair/directx_window.h"
#include "repair/run_dll_window.h"
#include "repair/sysdll_window.h"

namespace app {

namespace {

// Element names of the frame's layout, in page index order. The runtime page's element is
// spelled "Rundll" although its class is RunDllWindow.
const wchar_t* const kPageElements[MainFrameWindow::kPageCount] = {
    L"SystemWindow", L"RundllWindow", L"DirectXWindow", L"SysdllWindow",
    L"FunctionWindow", L"CPlusWinodw", L"NetWindow", L"GameWindow"};

}  // namespace

MainFrameWindow::MainFrameWindow(AppState& state, std::string baseUrl)
    : state_(state), baseUrl_(std::move(baseUrl)) {}

int MainFrameWindow::PageIndex(const std::wstring& elementName) {
  for (int i = 0; i < kPageCount; ++i)
    if (elementName == kPageElements[i]) return i;
  return -1;
}

PageWindow* MainFrameWindow::CreatePage(int index) {
  DuiLib::CPaintManagerUI* manager = &m_PaintManager;
  switch (index) {
    case 0: return new SystemWindow(manager, state_, baseUrl_);
    case 1: return new repair::RunDllWindow(manager, state_);
    case 2: return new repair::DirectXWindow(manager, state_);
    case 3: return new repair::SysdllWindow(manager);
    case 4:
      return new functions::FunctionWindow(manager, ProgramNetworkSystemOps(),
                                           ProgramGameSystemOps(state_));
    case 5: return new downloads::CPlusWinodw(manager, state_);
    case 6: return new downloads::NetWindow(manager, state_);
    case 7: return new downloads::GameWindow(manager, state_);
  }
  return nullptr;
}

DuiLib::CControlUI* MainFrameWindow::CreateControl(const wchar_t* pstrClass) {
  const int index = PageIndex(pstrClass ? pstrClass : L"");
  if (index < 0) return nullptr;
  PageWindow* page = CreatePage(index);
  if (page == nullptr) return nullptr;
  pages_[index] = page;
  page->AddListener(this);
  page->SetFrameWindow(GetHWND());
  return page;
}

void MainFrameWindow::InitWindow() {
  CreateShadow(3);
  for (PageWindow* page : pages_)
    if (page) page->LoadLayout(page->LayoutFile());
  ShowPage(kRuntimePage);
}

PageWindow* MainFrameWindow::Page(int index) const {
  return index >= 0 && index < kPageCount ? pages_[index] : nullptr;
}

SystemWindow* MainFrameWindow::Header() const { return static_cast<SystemWindow*>(pages_[kHeader]); }

void MainFrameWindow::ShowPage(int index) {
  for (int i = 1; i < kPageCount; ++i)
    if (pages_[i]) pages_[i]->SetVisible(false);
  if (index >= 1 && index < kPageCount && pages_[index]) {
    pages_[index]->SetVisible(true);
    // The download lists are built from the catalogue when first shown with entries in it.
    if (index >= 5) pages_[index]->OnCommand("init");
  }
  currentPage_ = index;
}

void MainFrameWindow::OnMessage(int id, const std::string&) {
  ::PostMessageW(GetHWND(), static_cast<UINT>(id), 0, 0);
}

void MainFrameWindow::Command(int index, const char* word) {
  if (pages_[index]) pages_[index]->OnCommand(word);
}

void MainFrameWindow::OnBusMessage(UINT id) {
  switch (id) {
    case kShowRuntimePage: case kShowDirectXPage: case kShowSystemDllPage:
    case kShowFunctionsPage: case kShowCplusPage: case kShowNetPage: case kShowGamePage:
      return ShowPage(static_cast<int>(id) - kShowRuntimePage + 1);
    case kMinimise:
      ::SendMessageW(GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    case kQuit:
      ::PostQuitMessage(0);
      return;
    case kApiSetRepair: case kError80240037Repair: case kKernel32Repair:
      ShowPage(kSystemDllPage);
      Command(kHeader, "sysdll");
      return Command(kSystemDllPage, "repair");
    case kError7bRepair: case kMsvcp140Repair: case kVcruntime140Repair:
      ShowPage(kRuntimePage);
      Command(kHeader, "rundll");
      return Command(kRuntimePage, "scan");
  }
}

LRESULT MainFrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HandleCallOnUiThread(message, lParam)) return 0;
  switch (message) {
    case WM_CLOSE:
      // Alt+F4, the taskbar's close and Escape all end the program as the header's close
      // button does; letting the window go instead would leave the loop running without it.
      if (SystemWindow* header = Header()) header->CloseProgram();
      else ::PostQuitMessage(0);
      return 0;
    case WM_DESTROY:
      if (SystemWindow* header = Header()) header->DetachConversation();
      break;
    default:
      OnBusMessage(message);
      break;
  }
  return WindowImplBase::HandleMessage(message, wParam, lParam);
}

}  // namespace app
