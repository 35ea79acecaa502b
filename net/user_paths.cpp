#include "net/user_paths.h"

#include "platform/path_text.h"
#include "platform/text_number.h"

namespace net {

namespace {

std::string CompanyFolder(const std::string& base) { return platform::JoinPath(base, "Tessavane") + "\\"; }

}  // namespace

std::string ImageFolder(const std::string& localAppData) { return CompanyFolder(localAppData) + "image\\"; }

std::string RundllFolder(const std::string& localAppData) { return CompanyFolder(localAppData) + "Rundll\\"; }

std::string DirectXFolder(const std::string& localAppData, int systemBit) {
  return CompanyFolder(localAppData) + "DirectX\\" + platform::IntToText(systemBit) + "\\";
}

std::string DownloadFolder(const std::string& driveRoot, int id) {
  return CompanyFolder(driveRoot) + platform::IntToText(id) + "\\";
}

std::string ImageFileName(const CatalogueFile& entry) {
  return platform::IntToText(entry.id) + platform::UrlExtension(entry.imgUrl);
}

std::string HeadImageFileName(int userId) { return platform::IntToText(userId) + ".jpg"; }

bool DriveTakesDownloads(const DriveFacts& facts) {
  switch (facts.kind) {
    case DriveKind::kFixed:
    case DriveKind::kRemovable:
    case DriveKind::kRemote:
    case DriveKind::kRamDisk:
      return facts.volumeMounted;
    default:  // no root, an optical disc (read-only), a kind the system does not know
      return false;
  }
}

std::string ChooseDownloadDrive(const std::function<DriveFacts(const std::string& root)>& factsOf) {
  for (const char* drive : {"D:", "E:"})
    if (DriveTakesDownloads(factsOf(std::string(drive) + "\\"))) return drive;
  return "C:";
}

}  // namespace net
