#pragma once
#include <string>

#include "catalogue_rules/catalogue_records.h"

// Where downloaded files and images are kept, as path text. Every folder path ends with a
// backslash so that a file name can be appended directly.
namespace net {

// localAppData is the folder the system reports, without a trailing backslash.
std::string ImageFolder(const std::string& localAppData);
std::string RundllFolder(const std::string& localAppData);
std::string DirectXFolder(const std::string& localAppData, int systemBit);
// driveRoot is "D:", "E:" or "C:" (see ChooseDownloadDrive).
std::string DownloadFolder(const std::string& driveRoot, int id);

// The list image of an entry: its id in decimal and the extension of its imgUrl. Entries of
// different lists with the same id share one file.
std::string ImageFileName(const CatalogueFile& entry);
// A user's head image.
std::string HeadImageFileName(int userId);

// The first of D:, E:, C: for which driveExists is true; C: when none is.
template <class DriveExists>
std::string ChooseDownloadDrive(DriveExists driveExists) {
  for (const char* drive : {"D:", "E:"})
    if (driveExists(drive)) return drive;
  return "C:";
}

// This machine's download drive, by ChooseDownloadDrive.
std::string DownloadDrive();

}  // namespace net
