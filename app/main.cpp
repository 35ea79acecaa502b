#include <windows.h>

#include "app/app_context.h"
#include "app/run_main_window.h"
#include "net/api_urls.h"

// Start-up: the context, COM and the browser set-up, then the install channel. Failing any of
// the first steps ends the process at once with -1, before any window exists. The context is
// released at process exit, after this function has returned.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  app::AppContext& context = app::GetAppContext();
  if (!context.Initialise(instance)) return -1;
  app::LoadChannel(context);
  // The build refuses such an address already; a program built around that check talks to no
  // server rather than to one anyone on the network could play.
  app::RunMainWindow(instance, context, net::CatalogueBaseAllowed(CATALOGUE_BASE_URL) ? CATALOGUE_BASE_URL : "");
  return 0;
}
