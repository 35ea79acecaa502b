#include "page_machinery/shell_window.h"

namespace app {

void ShellWindow::CreateShadow(int size) {
  shadow_.Create(GetHWND());
  shadow_.SetPosition(0, 0);
  shadow_.SetSize(size);
}

}  // namespace app
