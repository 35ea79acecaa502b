#include "browser/cef_main_init.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "browser/mshtml/mshtml_engine_win.h"
#include "browser/process_role.h"

namespace browser {

namespace {

// The process's arguments after the program's own path.
std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> arguments;
  int count = 0;
  LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (list == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(list[i]);
  ::LocalFree(list);
  return arguments;
}

}  // namespace

std::unique_ptr<CefMainInit> CefMainInit::Create(HINSTANCE instance, bool& succeeded) {
  return Create(instance, succeeded, StartMshtmlEngine);
}

std::unique_ptr<CefMainInit> CefMainInit::Create(HINSTANCE, bool& succeeded, const EngineStarter& start) {
  succeeded = false;
  // The system's control runs inside the program, so no engine ever starts a helper copy of
  // it; one started anyway (by hand, or by an engine that would) has nothing to do.
  if (RoleFromArguments(CommandLineArguments()) != ProcessRole::kBrowser) ::ExitProcess(0);
  std::unique_ptr<CefMainInit> init(new CefMainInit());
  init->engine_ = start ? start() : nullptr;
  if (!init->engine_) return init;
  SetCurrentEngine(init->engine_.get());
  succeeded = true;
  return init;
}

CefMainInit::~CefMainInit() {
  if (engine_ && CurrentEngine() == engine_.get()) SetCurrentEngine(nullptr);
}

}  // namespace browser
