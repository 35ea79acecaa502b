#include "repair_page_support.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdlib>

#include "platform/md5.h"
#include "shell_test_support.h"
#include "ui/win/button.h"
#include "ui/win/container.h"
#include "ui/win/label.h"
#include "wine_path.h"

void RepairPageTest::SetUp() {
  ::CoInitialize(nullptr);
  frame_.reset(NewFrame());
  ASSERT_NE(frame_->Create(nullptr, L"repair page test", 0x10CE0000, 0x100, 0, 0, 0, 0), nullptr);
}

app::MainFrameWindow* RepairPageTest::NewFrame() {
  // The header's conversation fails silently against a closed port.
  return new app::MainFrameWindow(state_, "http://127.0.0.1:1");
}

void RepairPageTest::TearDown() {
  if (frame_) {
    HWND window = frame_->GetHWND();
    if (::IsWindow(window)) ::DestroyWindow(window);
    PumpFor(0);
    frame_.reset();
  }
  ::CoUninitialize();
}

DuiLib::CControlUI* RepairPageTest::Control(const std::wstring& name) const {
  return frame_->m_PaintManager.FindControl(name);
}

bool RepairPageTest::Visible(const std::wstring& name) const {
  DuiLib::CControlUI* control = Control(name);
  return control && control->IsVisible();
}

std::wstring RepairPageTest::Text(const std::wstring& name) const {
  DuiLib::CControlUI* control = Control(name);
  return control ? control->GetText() : L"<missing " + name + L">";
}

std::wstring RepairPageTest::Picture(const std::wstring& name) const {
  DuiLib::CControlUI* control = Control(name);
  return control ? control->GetBkImage() : L"<missing " + name + L">";
}

void RepairPageTest::Click(const std::wstring& name) {
  DuiLib::CControlUI* control = Control(name);
  ASSERT_NE(control, nullptr) << std::string(name.begin(), name.end());
  frame_->m_PaintManager.SendNotify(control, L"click");
}

void RepairPageTest::Command(int page, const char* word) { frame_->Page(page)->OnCommand(word); }

bool RepairPageTest::WaitVisible(const std::wstring& name, DWORD timeoutMs) {
  return PumpUntil([&] { return Visible(name); }, timeoutMs);
}

namespace {

DuiLib::CContainerUI* AsContainer(DuiLib::CControlUI* control) {
  return DuiLib::ControlAs<DuiLib::CContainerUI>(control);
}

DuiLib::CControlUI* FirstChild(DuiLib::CControlUI* column) {
  DuiLib::CContainerUI* container = AsContainer(column);
  return container && container->GetCount() > 0 ? container->GetItemAt(0) : nullptr;
}

}  // namespace

std::vector<RepairPageTest::Row> RepairPageTest::Rows(const std::wstring& list) const {
  std::vector<Row> rows;
  DuiLib::CContainerUI* container = AsContainer(Control(list));
  if (!container) return rows;
  for (int i = 0; i < container->GetCount(); ++i) {
    DuiLib::CContainerUI* row = AsContainer(container->GetItemAt(i));
    Row seen;
    if (!row || row->GetCount() != 4) {
      seen.name = L"<not a result row>";
      rows.push_back(seen);
      continue;
    }
    DuiLib::CControlUI* marker = FirstChild(row->GetItemAt(0));
    DuiLib::CControlUI* name = FirstChild(row->GetItemAt(1));
    DuiLib::CControlUI* state = FirstChild(row->GetItemAt(2));
    if (name) seen.name = name->GetText();
    if (state) {
      seen.state = state->GetText();
      seen.stateName = state->GetName();
      if (auto* label = static_cast<DuiLib::CLabelUI*>(state->GetInterface(L"Label")))
        seen.stateColor = label->GetTextColor();
    }
    if (marker)
      if (auto* box = static_cast<DuiLib::COptionUI*>(marker->GetInterface(L"CheckBox"))) {
        seen.checkName = box->GetName();
        seen.checked = box->GetCheck();
      }
    rows.push_back(seen);
  }
  return rows;
}

std::vector<std::wstring> RepairPageTest::RowNames(const std::wstring& list) const {
  std::vector<std::wstring> names;
  for (const Row& row : Rows(list)) names.push_back(row.name);
  return names;
}

bool RepairPageTest::Scan(const wchar_t* button) {
  Click(button ? button : prefix_ + L"_scan");
  return WaitVisible(prefix_ + L"_scaned");
}

bool RepairPageTest::Repair() {
  Click(prefix_ + L"_repair");
  return WaitVisible(prefix_ + L"_repaired", 60000);
}

std::vector<std::wstring> RepairPageTest::States() const {
  std::vector<std::wstring> states;
  for (const Row& row : Rows(prefix_ + L"_list")) states.push_back(row.state);
  return states;
}

std::string ServeFile(const std::string& source, const std::string& name) {
  std::string served =
      test_support::WinePath(std::string(std::getenv("FIXTURE_FILES")) + "/" + name);
  if (!::CopyFileA(test_support::WinePath(source).c_str(), served.c_str(), FALSE)) return {};
  return platform::FileMd5(served);
}

std::string ChineseText(const std::wstring& text) {
  int length = ::WideCharToMultiByte(936, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(936, 0, text.c_str(), -1, &bytes[0], length, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(length - 1));
  return bytes;
}
