#pragma once
#include <functional>
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

// What the system says of a drive.
enum class DriveKind { kNoRoot, kFixed, kRemovable, kOptical, kRemote, kRamDisk, kUnknown };
struct DriveFacts {
  DriveKind kind = DriveKind::kNoRoot;
  bool volumeMounted = false;  // a file system answers at its root
};

// Whether downloads may go onto the drive: a volume is there (a card reader or an optical
// drive without its medium has a letter but none) and the drive is one that is written to.
bool DriveTakesDownloads(const DriveFacts& facts);

// The first of D:, E: that takes downloads; C: when neither does. factsOf is asked with the
// drive's root ("D:\").
std::string ChooseDownloadDrive(const std::function<DriveFacts(const std::string& root)>& factsOf);

// This machine's facts of a drive root, without the system's "no disk" message box.
DriveFacts DriveFactsOf(const std::string& root);
// This machine's download drive, by ChooseDownloadDrive.
std::string DownloadDrive();

}  // namespace net
