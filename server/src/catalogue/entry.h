#pragma once
// One catalogue entry as stored. The four lists share one record; each list's reply uses the
// fields that belong to it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace catalogue {

enum class ListKind { common, runtime, dx, system };

const char* list_name(ListKind kind);  // "common", "runtime", "dx", "system"
std::optional<ListKind> list_from_name(const std::string& name);
// The key of each list in an import file: "filesList", "runtime", "dx", "system".
const char* list_file_key(ListKind kind);
constexpr ListKind all_lists[] = {ListKind::common, ListKind::runtime, ListKind::dx, ListKind::system};

struct Entry {
  ListKind list = ListKind::common;
  int32_t id = 0;
  int32_t status = 1;
  int32_t type = 0;  // common list only: 0 C++, 1 .NET, 2 game essentials
  std::string downloadUrl;
  std::string imgUrl;
  std::string fileName;
  std::string fileMd5;
  std::string memo;
  std::string regeditName;
  std::string silentParam;
  int32_t gameRepair = 0;
  // Always there for the DirectX and system lists. A runtime entry may leave it out: 1 marks a
  // package for 64-bit Windows only, and an entry without it is offered on every system.
  std::optional<int32_t> systemBit;
  // Runtime list only, empty when not given: "major.minor.build", the least version that counts
  // as installed.
  std::string minVersion;
  std::string filePath;
  bool isKey = false;
  // Import only, never sent to the program: a path under /files/ holding a copy of a file whose
  // downloadUrl points elsewhere (a vendor that publishes no digest), to compute fileMd5 from.
  std::string md5From;
  // Import and signing only, never stored: the file's SHA-256 (lower-case hexadecimal) and size
  // for a file that is not hosted here; the signing command computes them for hosted files.
  std::string fileSha256;
  int64_t fileSize = 0;
};

struct Links {
  std::string kfUrl;
  std::string xyUrl;
  std::string secretUrl;
};

struct Catalogue {
  Links links;
  std::vector<Entry> entries;  // in catalogue order within each list
  // The operator's signed document the entries were imported from, verbatim; empty for a
  // catalogue imported unsigned.
  std::string signedDocument;
};

// What a signed catalogue says about itself besides its entries.
struct SignedFacts {
  int64_t version = 0;
  int64_t expires = 0;  // seconds since 1970, UTC
};

}  // namespace catalogue
