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

}  // namespace net
