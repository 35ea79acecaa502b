#include "browser/bridge_script.h"

#include "browser/script_message.h"

namespace browser {

std::string BridgeInstallScript() {
  std::string script =
      "(function(){var w=window;"
      "function install(name){w[name]=function(){var e=w.external;e.BeginMessage(name);"
      "for(var i=0;i<arguments.length;i++){e.AddArgument(String(arguments[i]));}"
      "e.SendMessage();};}";
  // The names are ours and plain identifiers, so they go in quoted as they are.
  for (const std::string& name : ScriptFunctionNames()) script += "install('" + name + "');";
  return script + "})();";
}

}  // namespace browser
