#include "browser/task_window_win.h"

namespace browser {

namespace {

constexpr wchar_t kTaskClass[] = L"TessavaneBrowserTasks";
constexpr UINT kMsgRunTask = WM_APP + 0x61;

using Task = std::function<void()>;

}  // namespace

LRESULT CALLBACK TaskWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kMsgRunTask) return ::DefWindowProcW(window, message, wParam, lParam);
  std::unique_ptr<Task> task(reinterpret_cast<Task*>(lParam));
  if (task && *task) (*task)();
  return 0;
}

std::unique_ptr<TaskWindow> TaskWindow::Create() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW existing;
  if (!::GetClassInfoW(instance, kTaskClass, &existing)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTaskClass;
    if (!::RegisterClassW(&windowClass)) return nullptr;
  }
  HWND window = ::CreateWindowExW(0, kTaskClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  return std::unique_ptr<TaskWindow>(new TaskWindow(window, ::GetCurrentThreadId()));
}

TaskWindow::~TaskWindow() {
  MSG msg;
  while (::PeekMessageW(&msg, window_, kMsgRunTask, kMsgRunTask, PM_REMOVE))
    delete reinterpret_cast<Task*>(msg.lParam);
  ::DestroyWindow(window_);
}

void TaskWindow::Post(std::function<void()> task) {
  auto* owned = new Task(std::move(task));
  if (!::PostMessageW(window_, kMsgRunTask, 0, reinterpret_cast<LPARAM>(owned))) delete owned;
}

}  // namespace browser
