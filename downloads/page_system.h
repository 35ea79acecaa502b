#pragma once
#include <functional>
#include <string>

#include "net/transfer_bounds.h"

// What a download page asks of the system. The program uses SystemPageOps(); tests replace
// the parts that would leave the test's own folders or open windows of other programs.
namespace downloads {

struct PageOps {
  // The root under which "Tessavane\<id>\" is made, chosen at every download start:
  // "D:", else "E:", else "C:", each only while it holds a volume (net::DownloadDrive).
  std::function<std::string()> downloadRoot;
  // The folder of the list icons, ending with a backslash.
  std::function<std::string()> imageFolder;
  // Creates a folder with all missing parents; true when it exists afterwards and no folder on
  // the way leads elsewhere.
  std::function<bool(const std::string& folder)> ensureFolder;
  std::function<bool(const std::string& path)> fileExists;
  std::function<bool(const std::string& folder)> folderExists;
  // The file's size, or -1 when its status cannot be read.
  std::function<long long(const std::string& path)> fileSize;
  // Refuses (false) a file reached through a link or junction: see leadsElsewhere.
  std::function<bool(const std::string& path)> deleteFile;
  // A folder on the way to the path is a link or junction to elsewhere: the program writes and
  // deletes there with administrator rights, and the download drive's folders are the user's.
  std::function<bool(const std::string& path)> leadsElsewhere;
  // Fetches a picture to the path within its bounds, or until `stop` says so; anything that
  // is not a picture is not kept.
  std::function<bool(const std::string& url, const std::string& path, const net::StopQuestion& stop)> fetchImage;
  // Shows a folder in the file manager.
  std::function<void(const std::string& folder)> openFolder;
  // The modal OK prompt, owned by the active window.
  std::function<void(const std::wstring& title, const std::wstring& message)> prompt;
};

PageOps SystemPageOps();

}  // namespace downloads
