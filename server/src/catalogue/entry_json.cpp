#include "catalogue/entry_json.h"

namespace catalogue {

std::string resolve_url(const std::string& url, const std::string& public_base) {
  if (!url.empty() && url[0] == '/') return public_base + url;
  return url;
}

nlohmann::json entry_to_json(const Entry& e, const std::string& base) {
  nlohmann::json j;
  j["status"] = e.status;
  j["id"] = e.id;
  j["downloadUrl"] = resolve_url(e.downloadUrl, base);
  j["fileName"] = e.fileName;
  switch (e.list) {
    case ListKind::common:
      j["imgUrl"] = resolve_url(e.imgUrl, base);
      j["fileMd5"] = e.fileMd5;
      j["memo"] = e.memo;
      j["type"] = e.type;
      break;
    case ListKind::runtime:
      j["regeditName"] = e.regeditName;
      // These keys are optional for this list; absent means "no digest", "no switches", "any
      // installed version" and "every system", which is what a program older than them assumes.
      if (!e.fileMd5.empty()) j["fileMd5"] = e.fileMd5;
      if (!e.silentParam.empty()) j["silentParam"] = e.silentParam;
      if (!e.minVersion.empty()) j["minVersion"] = e.minVersion;
      if (e.systemBit) j["systemBit"] = *e.systemBit;
      j["gameRepair"] = e.gameRepair;
      break;
    case ListKind::system:
      j["isKey"] = e.isKey;
      [[fallthrough]];
    case ListKind::dx:
      j["systemBit"] = e.systemBit.value_or(0);
      j["fileMd5"] = e.fileMd5;
      j["filePath"] = e.filePath;
      break;
  }
  return j;
}

nlohmann::json entry_to_file_json(const Entry& e) {
  nlohmann::json j = entry_to_json(e, "");
  if (!e.md5From.empty()) j["md5From"] = e.md5From;
  return j;
}

}  // namespace catalogue
