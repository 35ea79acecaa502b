#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace net {

// Which endpoint a request went to; travels with the request and back to its listener.
enum RequestKind : int {
  kCommonFiles = 0,
  kRuntimeFiles = 3,
  kDirectXFiles = 4,
  kSystemFiles = 5,
  kUserInfoByToken = 8,
  kSignInCode = 13,
  kSignInResult = 15,
  // The operator's signed catalogue document, fetched before the lists it vouches for.
  kSignedCatalogue = 20,
};

// A runtime package's version as its registry key records it (DWORDs Major, Minor, Bld).
struct RuntimeVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
};

// One entry of any catalogue list. Each list fills the fields it has and leaves the others at
// their defaults; installed, intact and localPath are written by the program, not the server.
struct CatalogueFile {
  int id = 0;
  std::string downloadUrl;
  std::string fileName;  // code page 936
  std::string fileMd5;
  // From the signed catalogue document: the file's SHA-256 (lower-case hexadecimal) and size in
  // bytes. Empty and 0 in a build that takes its catalogue unsigned.
  std::string fileSha256;
  uint64_t fileSize = 0;
  std::string imgUrl;
  std::string memo;  // code page 936
  std::string localPath;
  std::string regeditName;
  std::string silentParam;
  // A runtime entry whose key also has to record this version or a newer one (the Visual C++
  // 2015-2022 packages share one key, which an older package leaves behind).
  bool hasMinVersion = false;
  RuntimeVersion minVersion;
  bool gameRepair = false;
  bool installed = false;
  int systemBit = 0;
  std::string filePath;
  bool isKey = false;
  int intact = 0;
};

using CatalogueList = std::vector<CatalogueFile>;

struct CommonCatalogue {
  std::string kfUrl;
  std::string xyUrl;
  std::string secretUrl;
  CatalogueList cplusFiles;
  CatalogueList netFiles;
  CatalogueList gameFiles;
};

// What kind 13 returns: the page to show and the code that ties the scan to this request.
struct SignInCode {
  std::string wechatLoginUrl;
  std::string loginCode;
};

}  // namespace net
