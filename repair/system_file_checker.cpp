#include "repair/system_file_checker.h"

#include "platform/path_text.h"

namespace repair {

ShellCommand SystemFileCheckerCommand(const std::string& windowsFolder, bool wow64Process) {
  const std::string system32 = platform::JoinPath(windowsFolder, "System32");
  const std::string native = wow64Process ? platform::JoinPath(windowsFolder, "Sysnative") : system32;
  return {platform::JoinPath(native, "sfc.exe"), "/SCANNOW", system32, 0};
}

}  // namespace repair
