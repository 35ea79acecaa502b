// Prints what LoadChannel makes of this executable's own file name and the registry, as
// "exeFileName|channel". The channel tests copy it under the names they try.
#include <cstdio>

#include "app/app_context.h"

int main() {
  app::AppContext& context = app::GetAppContext();
  app::LoadChannel(context);
  std::printf("%s|%s", context.exeFileName.c_str(), context.channel.c_str());
  return 0;
}
