#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/engine.h"
#include "browser/task_window_win.h"

// An engine for tests, behind the same seam as the system's control: each browser is a plain
// child window (so its placement and visibility are the real thing), every call is recorded,
// and the test plays the page by firing load ends and script messages at the browser's client.
class RecordingEngine : public browser::Engine {
 public:
  struct Browser {
    HWND parent = nullptr;
    HWND window = nullptr;
    RECT createdAt{0, 0, 0, 0};
    std::vector<std::wstring> loads;  // the creation URL first, then each LoadUrl
    std::vector<bool> focus;
    bool closed = false;
    browser::EngineClient* client = nullptr;
  };

  RecordingEngine();
  ~RecordingEngine() override;

  void PostTask(std::function<void()> task) override;
  bool IsEngineThread() const override;
  std::unique_ptr<browser::EngineBrowser> CreateBrowser(HWND parent, const RECT& rect, const std::wstring& url,
                                                        browser::EngineClient* client) override;

  // Called on the engine's thread right after a browser was made (index into Browsers()).
  std::function<void(size_t index)> onCreated;

  const std::vector<std::shared_ptr<Browser>>& Browsers() const { return browsers_; }
  // The page of browser `index` finished loading / called a script function, as the engine
  // would report it (from the main frame or a sub-frame alike: the seam does not tell them
  // apart, as the page's own frames do not matter to the listener).
  void FireLoadEnd(size_t index, int status);
  void FireScriptMessage(size_t index, const std::string& name, const std::vector<std::string>& arguments);

 private:
  std::unique_ptr<browser::TaskWindow> tasks_;
  std::vector<std::shared_ptr<Browser>> browsers_;
};

// Installs an engine as the current one for the lifetime of this object.
class CurrentEngineScope {
 public:
  explicit CurrentEngineScope(browser::Engine* engine) { browser::SetCurrentEngine(engine); }
  ~CurrentEngineScope() { browser::SetCurrentEngine(nullptr); }
};
