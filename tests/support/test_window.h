#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/win/window_impl_base.h"

// A window built from a layout file of the test skin that keeps what it hears.
class TestWindow : public DuiLib::WindowImplBase {
 public:
  struct Heard {
    std::wstring type;
    std::wstring sender;
    WPARAM wParam;
    DWORD thread;
  };

  explicit TestWindow(std::wstring layout, std::wstring className = L"TessaTestWindow")
      : layout_(std::move(layout)), className_(std::move(className)) {}

  // Creates the native window as the program's windows are created: size from the layout.
  HWND CreateFramed(HWND owner = nullptr);
  void InitWindow() override { ++initCount; }
  void Notify(DuiLib::TNotifyUI& msg) override;
  DuiLib::CControlUI* CreateControl(const wchar_t* name) override;
  DuiLib::CControlUI* Find(const wchar_t* name) { return m_PaintManager.FindControl(name); }

  std::vector<Heard> heard;
  int initCount = 0;
  std::function<void(DuiLib::TNotifyUI&)> onNotify;
  std::function<DuiLib::CControlUI*(const std::wstring&)> onCreateControl;
  bool finalMessageSeen = false;

 protected:
  const wchar_t* GetWndClassName() const override { return className_.c_str(); }
  std::wstring GetLayoutFileName() const override { return layout_; }
  void OnFinalMessage(HWND window) override;

 private:
  std::wstring layout_;
  std::wstring className_;
};

// A receiver that only keeps what it hears, in a shared log with its own tag.
class LoggingReceiver : public DuiLib::INotifyUI {
 public:
  LoggingReceiver(std::wstring tag, std::vector<std::wstring>* log)
      : tag_(std::move(tag)), log_(log) {}
  void Notify(DuiLib::TNotifyUI& msg) override {
    log_->push_back(tag_ + L":" + msg.sType + L":" + (msg.pSender ? msg.pSender->GetName() : L""));
  }

 private:
  std::wstring tag_;
  std::vector<std::wstring>* log_;
};

// Runs the thread's messages until `done` holds or `timeoutMs` passes; false on timeout.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);
// The centre of a control, in client coordinates.
POINT CentreOf(DuiLib::CControlUI* control);
// Mouse over, press and release at `point`, as the system would send them.
void MoveTo(HWND window, POINT point);
void ClickAt(HWND window, POINT point);
