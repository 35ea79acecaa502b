#pragma once
#include <windows.h>

#include <string>

#include "page_machinery/app_state.h"
#include "page_machinery/message_bus.h"
#include "page_machinery/page_window.h"
#include "page_machinery/shell_window.h"

namespace app {

class SystemWindow;

// The main window: the header page and seven body pages, one of them visible. Pages ask for
// frame-level actions over the bus; the frame posts each message to its own window and acts
// on it later on the UI thread, in posting order.
class MainFrameWindow : public ShellWindow, public HandleMessage, public UIAdapter {
 public:
  static constexpr int kPageCount = 8;
  static constexpr int kHeader = 0;
  static constexpr int kRuntimePage = 1;
  static constexpr int kSystemDllPage = 3;

  MainFrameWindow(AppState& state, std::string baseUrl);

  void OnMessage(int id, const std::string& text) override;
  // Hides the body pages, shows the one of `index` (1..7) and gives the download pages
  // their "init".
  void ShowPage(int index);
  int CurrentPage() const { return currentPage_; }
  PageWindow* Page(int index) const;
  SystemWindow* Header() const;

  DuiLib::CControlUI* CreateControl(const wchar_t* pstrClass) override;
  // The page's index for an element name of the frame's layout, or -1. Compared exactly.
  static int PageIndex(const std::wstring& elementName);

 protected:
  const wchar_t* GetWndClassName() const override { return L"Main"; }
  std::wstring GetLayoutFileName() const override { return L"MainFrameWindow.xml"; }
  void InitWindow() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The page object of an index; tests put recording pages in.
  virtual PageWindow* CreatePage(int index);

  AppState& state_;
  const std::string baseUrl_;

 private:
  void OnBusMessage(UINT id);
  void Command(int index, const char* word);

  PageWindow* pages_[kPageCount] = {};
  int currentPage_ = kRuntimePage;
};

}  // namespace app
