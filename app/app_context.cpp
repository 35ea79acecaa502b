#include "app/app_context.h"

#include <objbase.h>

namespace app {

AppContext& GetAppContext() {
  static AppContext context;
  return context;
}

bool AppContext::Initialise(HINSTANCE instanceHandle) {
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
