#include "downloads/page_system.h"

#include <windows.h>
#include <shellapi.h>
#include <sys/stat.h>

#include "page_machinery/tip_window.h"
#include "net/image_fetch.h"
#include "platform/files_and_folders.h"
#include "net/user_paths.h"
#include "platform/path_links.h"

namespace downloads {

namespace {

long long FileSize(const std::string& path) {
  struct _stati64 info;
  if (_stati64(path.c_str(), &info) != 0) return -1;
  return static_cast<long long>(info.st_size);
}

bool FolderExists(const std::string& folder) {
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

PageOps SystemPageOps() {
  PageOps ops;
  ops.downloadRoot = net::DownloadDrive;
  ops.imageFolder = [] { return net::ImageFolder(platform::LocalAppData()); };
  ops.ensureFolder = [](const std::string& folder) {
    return !platform::PathLeadsElsewhere(folder) && platform::EnsureFolder(folder) && !platform::PathLeadsElsewhere(folder);
  };
  ops.fileExists = platform::FileExists;
  ops.fileSize = FileSize;
  ops.deleteFile = [](const std::string& path) {
    return !platform::PathLeadsElsewhere(path) && ::DeleteFileA(path.c_str()) != FALSE;
  };
  ops.leadsElsewhere = platform::PathLeadsElsewhere;
  ops.fetchImage = [](const std::string& url, const std::string& path, const net::StopQuestion& stop) {
    return net::FetchImage(url, path, net::kImageBounds, stop);
  };
  ops.folderExists = FolderExists;
  ops.openFolder = [](const std::string& folder) {
    ::ShellExecuteA(nullptr, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  };
  ops.prompt = [](const std::wstring& title, const std::wstring& message) {
    app::ShowPrompt(app::TipWindow::kModeOk, title, message);
  };
  return ops;
}

}  // namespace downloads
