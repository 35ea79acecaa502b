#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "page_machinery/app_state.h"
#include "app/main_frame_window.h"
#include "ui/win/control.h"

// The main frame with its real pages, as the program builds it, for driving one repair page
// through the framework: clicks are notifications of the frame's paint manager with the
// control as sender, and the workers' timers fire through the message loop.
class RepairPageTest : public ::testing::Test {
 protected:
  // One row of a result list as the user sees it.
  struct Row {
    std::wstring name;
    std::wstring state;
    uint32_t stateColor = 0;
    std::wstring stateName;  // empty while the scan runs
    std::wstring checkName;  // empty when the row has the complete picture
    bool checked = false;
  };

  void SetUp() override;
  void TearDown() override;
  // The frame under test; the real one unless a test puts its own pages in.
  virtual app::MainFrameWindow* NewFrame();

  DuiLib::CControlUI* Control(const std::wstring& name) const;
  bool Visible(const std::wstring& name) const;
  std::wstring Text(const std::wstring& name) const;
  // The control's background picture.
  std::wstring Picture(const std::wstring& name) const;
  void Click(const std::wstring& name);
  void Command(int page, const char* word);
  // Pumps the loop until the control is visible; false after `timeoutMs`.
  bool WaitVisible(const std::wstring& name, DWORD timeoutMs = 10000);
  std::vector<Row> Rows(const std::wstring& list) const;
  std::vector<std::wstring> RowNames(const std::wstring& list) const;

  // On the page of `prefix_`: a click on its scan button (or `button`) and then the loop until
  // the scan has been finished; a click on its repair button and the loop until that has
  // finished; the state texts of its rows, top to bottom.
  bool Scan(const wchar_t* button = nullptr);
  bool Repair();
  std::vector<std::wstring> States() const;

  std::wstring prefix_;  // "rundll" or "directx"

  // Request threads of the header may still deliver into the state after a test, so each
  // test's state lives until the process ends.
  app::AppState& state_ = *new app::AppState;
  std::unique_ptr<app::MainFrameWindow> frame_;
};

// Puts a copy of `source` (a Linux path of the build or a Windows path) where the fixture
// serves it as /files/NAME; returns its MD5.
std::string ServeFile(const std::string& source, const std::string& name);
// The file's text as code page 936, as catalogue names are held.
std::string ChineseText(const std::wstring& text);
