#include "recording_engine.h"

namespace {

class RecordedBrowser : public browser::EngineBrowser {
 public:
  explicit RecordedBrowser(std::shared_ptr<RecordingEngine::Browser> record) : record_(std::move(record)) {}
  ~RecordedBrowser() override { Close(); }

  HWND Window() const override { return record_->window; }
  void LoadUrl(const std::wstring& url) override { record_->loads.push_back(url); }
  void SetFocus(bool focused) override { record_->focus.push_back(focused); }
  void Close() override {
    if (record_->closed) return;
    record_->closed = true;
    record_->client = nullptr;
    if (::IsWindow(record_->window)) ::DestroyWindow(record_->window);
  }

 private:
  std::shared_ptr<RecordingEngine::Browser> record_;
};

}  // namespace

RecordingEngine::RecordingEngine() : tasks_(browser::TaskWindow::Create()) {}
RecordingEngine::~RecordingEngine() = default;

void RecordingEngine::PostTask(std::function<void()> task) { tasks_->Post(std::move(task)); }
bool RecordingEngine::IsEngineThread() const { return tasks_->IsOwnThread(); }

std::unique_ptr<browser::EngineBrowser> RecordingEngine::CreateBrowser(HWND parent, const RECT& rect,
                                                                       const std::wstring& url,
                                                                       browser::EngineClient* client) {
  auto record = std::make_shared<Browser>();
  record->parent = parent;
  record->createdAt = rect;
  record->loads.push_back(url);
  record->client = client;
  record->window = ::CreateWindowExW(0, L"STATIC", L"page", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left,
                                     rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
  if (record->window == nullptr) return nullptr;
  browsers_.push_back(record);
  if (onCreated) onCreated(browsers_.size() - 1);
  return std::make_unique<RecordedBrowser>(record);
}

void RecordingEngine::FireLoadEnd(size_t index, int status) {
  if (index < browsers_.size() && browsers_[index]->client) browsers_[index]->client->OnLoadEnd(status);
}

void RecordingEngine::FireScriptMessage(size_t index, const std::string& name,
                                        const std::vector<std::string>& arguments) {
  if (index >= browsers_.size() || browsers_[index]->client == nullptr) return;
  browsers_[index]->client->OnScriptMessage(browser::ScriptMessage{name, arguments});
}
