#pragma once
#include <string>

// The names and texts of a download row. No windows.h: they build natively too.
namespace downloads {

// What a row's control does; its name is the entry id, "_", the page's stem and this role.
enum class RowRole { kProgress, kDownload, kInstall, kPause, kContinue, kDelete };

// "12_cplusdownload" for id 12, stem "cplus" and kDownload; ids are signed decimal.
std::wstring RowControlName(int id, const std::wstring& stem, RowRole role);
// The role's part of a name, "_cplusdownload"; clicks are told apart by it.
std::wstring RowRoleSuffix(const std::wstring& stem, RowRole role);
// The text before the first "_", read as a decimal number (sign, digits, up to the first
// non-digit; 0 when there are none); -1 for a name without "_".
int IdFromControlName(const std::wstring& name);

// Bytes on disk before this transfer plus this transfer's progress, out of the whole file;
// at most 100, since a server may send more than it announced.
float ProgressPercent(double resumeOffset, double now, double total);
// "下载进度37.50%" for 37.5.
std::wstring ProgressText(float percent);

}  // namespace downloads
