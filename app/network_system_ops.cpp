#include "app/network_system_ops.h"

#include "page_machinery/tip_window.h"
#include "functions/network_tools.h"

namespace app {

functions::NetworkSystemOps ProgramNetworkSystemOps() {
  functions::NetworkSystemOps ops;
  ops.tools = std::make_shared<functions::NetworkTools>();
  ops.prompt = [](const std::wstring& title, const std::wstring& message) {
    ShowPrompt(TipWindow::kModeOk, title, message);
  };
  return ops;
}

}  // namespace app
