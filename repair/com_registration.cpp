#include "repair/com_registration.h"

namespace repair {

namespace {

std::string Lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// prefix, then one or two digits within [low, high], then ".dll".
bool NumberedName(const std::string& name, const std::string& prefix, int low, int high) {
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  const std::string rest = name.substr(prefix.size());
  const size_t digits = rest.find_first_not_of("0123456789");
  if (digits == 0 || digits == std::string::npos || digits > 2 || rest.substr(digits) != ".dll")
    return false;
  if (digits == 2 && rest[0] == '0') return false;
  const int number = std::stoi(rest.substr(0, digits));
  return number >= low && number <= high;
}

}  // namespace

bool NeedsComRegistration(const std::string& fileName) {
  const std::string name = Lowered(fileName);
  // The DirectX SDK shipped XACT 2 engines up to 2.10 and XACT 3 engines up to 3.7.
  return NumberedName(name, "xaudio2_", 0, 7) || NumberedName(name, "xactengine2_", 0, 10) ||
         NumberedName(name, "xactengine3_", 0, 7);
}

std::string RegistrarPath(const std::string& windowsFolder, bool nativeFile, bool process32Bit,
                          bool system64Bit) {
  std::string folder = windowsFolder;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  const char* system = "System32";
  if (system64Bit && nativeFile && process32Bit)
    system = "Sysnative";  // the 64-bit folder, which a WoW64 process's System32 hides
  else if (system64Bit && !nativeFile)
    system = "SysWOW64";
  return folder + "\\" + system + "\\regsvr32.exe";
}

std::string RegistrarCommandLine(const std::string& registrar, const std::string& dllPath) {
  if (registrar.empty() || dllPath.empty() || registrar.find('"') != std::string::npos ||
      dllPath.find('"') != std::string::npos)
    return {};
  return "\"" + registrar + "\" /s \"" + dllPath + "\"";
}

}  // namespace repair
