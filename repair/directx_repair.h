#pragma once
#include <functional>
#include <string>

#include "catalogue_rules/catalogue_records.h"
#include "platform/file_hold.h"
#include "repair/publisher_check.h"

namespace repair {

// What the DirectX check and repair need from the system. nativeSystemFolder asks for the
// 64-bit system folder behind "<Windows>\System32" (file-system redirection off for that one
// call); otherwise paths are as this 32-bit process sees them. The system paths handed over
// are already on this machine's Windows folder.
struct DirectXRepairOps {
  std::function<bool(const std::string& folder)> ensureFolder;
  std::function<bool(const std::string& path)> cachedFileExists;
  std::function<void(const std::string& path)> deleteFile;
  std::function<std::string(const std::string& path)> fileMd5;
  // Fetches url into path; `stop` ends it at once (net::FetchFile).
  std::function<bool(const std::string& url, const std::string& path, const std::function<bool()>& stop)>
      download;
  std::function<bool(const std::string& path, bool nativeSystemFolder)> systemFileExists;
  std::function<bool(const std::string& from, const std::string& to, bool nativeSystemFolder)> copyIntoPlace;
  // Takes a placed file away again; used when it could not be made usable.
  std::function<void(const std::string& path, bool nativeSystemFolder)> removeFromPlace;
  // Registers a placed COM server with the system's regsvr32 of the file's bitness and
  // answers whether regsvr32 ended with exit code 0 within its time.
  std::function<bool(const std::string& path, bool nativeSystemFolder)> registerServer;
  // Where Windows lives here ("C:\Windows", "D:\WINNT"); empty maps no catalogue path.
  std::string windowsFolder;
  bool system64Bit = true;
  // Keeps the cached file from being swapped between its digest check and its copy.
  platform::FileHolder holdFile;
  // Asked of the held file after its digest: only a trusted publisher's DLL is copied.
  PublisherCheck signedByTrustedPublisher;
  // Asked of the held file when its entry carries the signed catalogue's SHA-256 and size.
  SignedDigestCheck matchesSignedDigest;
};

constexpr int kDirectXDownloadAttempts = 3;

// Entries with systemBit 1 are the 64-bit files; they belong only on 64-bit Windows.
bool DirectXEntryApplies(const net::CatalogueFile& entry, const DirectXRepairOps& ops);

// The entry's filePath on this machine: its "C:\Windows\" on the real Windows folder. Empty
// for a path outside the Windows folder, which is never looked at or written.
std::string DirectXTargetPath(const net::CatalogueFile& entry, const DirectXRepairOps& ops);

// Whether the entry's file is at its place.
bool DirectXFileIntact(const net::CatalogueFile& entry, const DirectXRepairOps& ops);

// Puts the entry's file at its place: a cached copy whose digest matches and that a trusted
// publisher signed is copied (an entry
// without a digest must come over https and is always fetched anew, see SourceTrusted); otherwise up to three downloads, each checked and copied. A 64-bit file
// is never copied onto 32-bit Windows, where its System32 path is the 32-bit system folder.
// A COM server among the audio DLLs is registered after its copy; when that fails the copy is
// taken away again, so that the entry stays missing and can be repaired anew. Success is
// only answered after the file has been looked for again at its place. A download in hand and
// the tries after it end early when stopRequested says so.
bool RepairDirectXEntry(const net::CatalogueFile& entry, const std::string& cacheFolder,
                        const DirectXRepairOps& ops, const std::function<bool()>& stopRequested = {});

}  // namespace repair
