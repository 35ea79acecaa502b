#pragma once
#include <string>

// What a download page tells the user when something fails. No windows.h: built natively too.
namespace downloads {

inline constexpr const wchar_t kDownloadFailedTitle[] = L"下载失败";
inline constexpr const wchar_t kDeleteFailedTitle[] = L"删除失败";
inline constexpr const wchar_t kDigestFailedTitle[] = L"文件校验失败";
// In the row's progress label of a transfer that failed; its continue tries again.
inline constexpr const wchar_t kTransferFailedText[] = L"下载失败";

// Someone made the download folder lead into another one.
inline constexpr const wchar_t kLeadsElsewhereText[] =
    L"下载目录指向了其他位置，为保护电脑上的文件，本次下载已停止。";
// The download folder (as the system names it) could not be made.
std::wstring FolderNotMadeText(const std::wstring& folder);
// A file of an earlier download lies at the path and could not be removed for the new one.
std::wstring NotReplacedText(const std::wstring& path);
// The user's delete, or the removal of a stopped transfer's file, failed.
std::wstring NotDeletedText(const std::wstring& path);
// The downloaded file did not match the catalogue's digest; `removed` says whether it is gone.
std::wstring DigestFailedText(bool removed, const std::wstring& path);

}  // namespace downloads
