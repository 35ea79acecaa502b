#include "downloads/page_texts.h"

namespace downloads {

std::wstring FolderNotMadeText(const std::wstring& folder) {
  return L"无法创建下载目录，请检查磁盘是否可用：" + folder;
}

std::wstring NotReplacedText(const std::wstring& path) {
  return L"无法替换已有的同名文件，请关闭正在使用它的程序后重试：" + path;
}

std::wstring NotDeletedText(const std::wstring& path) {
  return L"无法删除下载的文件，请关闭正在使用它的程序后手动删除：" + path;
}

std::wstring DigestFailedText(bool removed, const std::wstring& path) {
  if (removed) return L"下载的文件与服务器记录的校验值不符，已删除，请重新下载。";
  return L"下载的文件与服务器记录的校验值不符，且无法删除，请手动删除：" + path;
}

}  // namespace downloads
