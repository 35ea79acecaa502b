#include "app/app_context.h"
#include "app/channel.h"
#include "app/registry_names.h"
#include "platform/module_paths.h"
#include "platform/registry.h"

namespace app {

void LoadChannel(AppContext& context) {
  context.exeFileName = platform::ModuleFileName();
  // Used exactly as the installer wrote it: the installer is the authority on its channel.
  std::string qid = platform::ReadRegistryText(HKEY_CURRENT_USER, kInstallKey, kChannelValue, kChannelBytes);
  context.channel = qid.empty() ? DeriveChannelFromFileName(context.exeFileName) : qid;
}

}  // namespace app
