#include "downloads/row_names.h"

#include <cwchar>

#include "platform/text_number.h"

namespace downloads {

namespace {

const wchar_t* RoleWord(RowRole role) {
  switch (role) {
    case RowRole::kProgress: return L"process";
    case RowRole::kDownload: return L"download";
    case RowRole::kInstall: return L"install";
    case RowRole::kPause: return L"pause";
    case RowRole::kContinue: return L"continue";
    case RowRole::kDelete: return L"delete";
  }
  return L"";
}

}  // namespace

std::wstring RowRoleSuffix(const std::wstring& stem, RowRole role) {
  return L"_" + stem + RoleWord(role);
}

std::wstring RowControlName(int id, const std::wstring& stem, RowRole role) {
  return std::to_wstring(id) + RowRoleSuffix(stem, role);
}

int IdFromControlName(const std::wstring& name) {
  const size_t underscore = name.find(L'_');
  if (underscore == std::wstring::npos) return -1;
  // Anything but ASCII ends the number, as it would for atoi.
  std::string head;
  for (size_t i = 0; i < underscore; ++i)
    head.push_back(name[i] < 0x80 ? static_cast<char>(name[i]) : '?');
  return platform::TextToInt(head);
}

float ProgressPercent(double resumeOffset, double now, double total) {
  const float percent = static_cast<float>((resumeOffset + now) * 100.0 / (resumeOffset + total));
  return percent > 100.0f ? 100.0f : percent;
}

std::wstring ProgressText(float percent) {
  wchar_t text[130];
  std::swprintf(text, sizeof text / sizeof text[0], L"下载进度%.2f%%", static_cast<double>(percent));
  return text;
}

}  // namespace downloads
