#pragma once
#include <functional>
#include <string>

#include "net/catalogue_records.h"
#include "repair/file_hold.h"

namespace repair {

// What a runtime repair needs from the system; the program passes the Windows calls
// (SystemRuntimeRepairOps), the tests a recording stand-in or the real ones.
struct RuntimeRepairOps {
  std::function<bool(const std::string& folder)> ensureFolder;
  std::function<bool(const std::string& path)> fileExists;
  std::function<void(const std::string& path)> deleteFile;
  std::function<std::string(const std::string& path)> fileMd5;
  std::function<bool(const std::string& url, const std::string& path)> download;
  // Starts the installer hidden, with the folder as its working folder, and waits for it.
  std::function<void(const std::string& path, const std::string& parameters, const std::string& folder)> install;
  // RuntimeKeyInstalled on the program's side.
  std::function<bool(const net::CatalogueFile& entry)> installed;
  // Keeps the installer from being swapped between its digest check and its run.
  FileHolder holdFile;
};

constexpr int kRuntimeDownloadAttempts = 3;
// How long a silent installer may run before the repair stops waiting for it.
constexpr unsigned long kInstallerWaitLimitMs = 15 * 60 * 1000;

// The local file an entry's installer is kept as in the cache folder (which ends with "\").
std::string RuntimeInstallerPath(const net::CatalogueFile& entry, const std::string& cacheFolder);

// Brings one runtime package onto the machine: reuses a cached installer whose digest still
// matches (see SourceTrusted for entries without one), else downloads it (up to three attempts, each checked against the digest), runs
// it silently, and answers whether the package's registry key exists afterwards. The
// installer's exit code is not trusted; the registry decides.
bool RepairRuntimeEntry(const net::CatalogueFile& entry, const std::string& cacheFolder,
                        const RuntimeRepairOps& ops);

// The same digest test for a cached or downloaded file: an empty expected digest accepts any.
bool DigestMatches(const std::string& actual, const std::string& expected);

// Whether the entry's file may be fetched and used at all. Installers run and system files are
// written with administrator rights; an entry without a digest has nothing to check its file
// against, so its file is trusted only when it comes over https, whose certificate the system
// verifies during the download. Such an entry's cached copy is never reused either.
bool SourceTrusted(const net::CatalogueFile& entry);

}  // namespace repair
