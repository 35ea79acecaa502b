#include "browser/process_role.h"

#include <cwctype>

namespace browser {

namespace {

// The switch's name and value when `argument` is a switch; false otherwise.
bool SplitSwitch(const std::wstring& argument, std::wstring& name, std::wstring& value) {
  size_t start = 0;
  if (argument.compare(0, 2, L"--") == 0) start = 2;
  else if (!argument.empty() && (argument[0] == L'-' || argument[0] == L'/')) start = 1;
  else return false;
  const size_t equals = argument.find(L'=', start);
  name = argument.substr(start, equals == std::wstring::npos ? std::wstring::npos : equals - start);
  value = equals == std::wstring::npos ? std::wstring() : argument.substr(equals + 1);
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  return !name.empty();
}

}  // namespace

ProcessRole RoleFromArguments(const std::vector<std::wstring>& arguments) {
  for (const std::wstring& argument : arguments) {
    if (argument == L"--") break;
    std::wstring name, value;
    if (!SplitSwitch(argument, name, value) || name != L"type") continue;
    return value == L"renderer" ? ProcessRole::kRender : ProcessRole::kOther;
  }
  return ProcessRole::kBrowser;
}

}  // namespace browser
