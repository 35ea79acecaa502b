#include "app/network_machine.h"

#include "page_machinery/tip_window.h"
#include "functions/network_tools.h"

namespace app {

functions::NetworkMachine ProgramNetworkMachine() {
  functions::NetworkMachine machine;
  machine.tools = std::make_shared<functions::NetworkTools>();
  machine.prompt = [](const std::wstring& title, const std::wstring& message) {
    ShowPrompt(TipWindow::kModeOk, title, message);
  };
  return machine;
}

}  // namespace app
