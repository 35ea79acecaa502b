#include "browser/mshtml/mshtml_engine_win.h"

#include <ole2.h>

#include "browser/mshtml/browser_emulation_win.h"
#include "browser/mshtml/mshtml_browser_win.h"
#include "browser/task_window_win.h"

namespace browser {

namespace {

class MshtmlEngine : public Engine {
 public:
  ~MshtmlEngine() override {
    tasks_.reset();
    if (oleStarted_) ::OleUninitialize();
  }

  bool Start() {
    // In-place activation, the clipboard of the text menu and the control's own drag and drop
    // need OLE on this thread, not only COM.
    oleStarted_ = SUCCEEDED(::OleInitialize(nullptr));
    if (!oleStarted_) return false;
    tasks_ = TaskWindow::Create();
    if (!tasks_) return false;
    // A failure here leaves the pages in an older document mode; they are written for it.
    SelectCurrentDocumentMode(ExecutableFileName());
    return true;
  }

  void PostTask(std::function<void()> task) override { tasks_->Post(std::move(task)); }
  bool IsEngineThread() const override { return tasks_->IsOwnThread(); }

  std::unique_ptr<EngineBrowser> CreateBrowser(HWND parent, const RECT& rect, const std::wstring& url,
                                               EngineClient* client) override {
    if (!IsEngineThread()) return nullptr;
    return MshtmlBrowser::Create(parent, rect, url, client);
  }

 private:
  bool oleStarted_ = false;
  std::unique_ptr<TaskWindow> tasks_;
};

}  // namespace

std::unique_ptr<Engine> StartMshtmlEngine() {
  auto engine = std::make_unique<MshtmlEngine>();
  if (!engine->Start()) return nullptr;
  return engine;
}

}  // namespace browser
