#include "app/app_context.h"

#include <objbase.h>

#include "platform/system_bitness.h"

namespace app {

AppContext& GetAppContext() {
  static AppContext context;
  return context;
}

bool AppContext::Initialise(HINSTANCE instanceHandle) {
  // Asked of the machine, not of this program's build: a 32-bit program runs on both.
  system64Bit = platform::IsSystem64Bit();
  HRESULT com = CoInitialize(nullptr);
  // S_FALSE still counts an initialisation that shutdown must balance.
  comInitialised_ = SUCCEEDED(com);
  if (com != S_OK || !instanceHandle) return false;
  instance = instanceHandle;
  bool started = false;
  browserInit = browser::CefMainInit::Create(instanceHandle, started);
  return browserInit && started;
}

AppContext::~AppContext() {
  // The browser framework goes first: it may still use COM while shutting down.
  browserInit.reset();
  if (comInitialised_) CoUninitialize();
}

}  // namespace app
