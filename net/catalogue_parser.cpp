#include "net/catalogue_parser.h"

#include <nlohmann/json.hpp>

#include "catalogue_rules/catalogue_rules.h"
#include "net/json_fields.h"
#include "net/runtime_version.h"
#include "platform/text_number.h"

namespace net {

using nlohmann::json;
namespace jf = json_fields;

namespace {

// Parses the envelope; on kAccepted root holds the whole reply.
ReplyStatus ReadEnvelope(const std::string& body, json& root) {
  root = json::parse(body, nullptr, /*allow_exceptions=*/false);
  if (root.is_discarded() || !root.is_object()) return ReplyStatus::kMalformed;
  std::string code;
  if (!jf::ReadText(root, "code", code)) return ReplyStatus::kMalformed;
  return platform::TextToInt(code) == 200 ? ReplyStatus::kAccepted : ReplyStatus::kCodeNot200;
}

const json* DataOf(const json& root, bool wantArray) {
  auto it = root.find("data");
  if (it == root.end()) return nullptr;
  return (wantArray ? it->is_array() : it->is_object()) ? &*it : nullptr;
}

// Reads "status" first: an entry that is switched off is skipped before anything else of it is
// looked at. Returns false when the status is unreadable.
bool ReadStatus(const json& entry, bool& enabled) {
  int status = 0;
  if (!jf::ReadInt32(entry, "status", status)) return false;
  enabled = status == 1;
  return true;
}

bool ReadCommonEntry(const json& e, const DisplayTextConverter& convert, CatalogueFile& f,
                     int& type) {
  std::string fileName, memo;
  bool ok = jf::ReadInt32(e, "id", f.id) && jf::ReadText(e, "downloadUrl", f.downloadUrl) &&
            jf::ReadText(e, "imgUrl", f.imgUrl) && jf::ReadText(e, "fileName", fileName) &&
            jf::ReadText(e, "fileMd5", f.fileMd5) && jf::ReadText(e, "memo", memo) &&
            jf::ReadInt32(e, "type", type);
  f.fileName = convert(fileName);
  f.memo = convert(memo);
  return ok;
}

bool ReadRuntimeEntry(const json& e, const DisplayTextConverter& convert, CatalogueFile& f) {
  std::string fileName, regeditName;
  bool ok = jf::ReadInt32(e, "id", f.id) && jf::ReadText(e, "downloadUrl", f.downloadUrl) &&
            jf::ReadText(e, "fileName", fileName) &&
            jf::ReadText(e, "regeditName", regeditName) &&
            jf::ReadOptionalText(e, "fileMd5", f.fileMd5) &&
            jf::ReadOptionalText(e, "silentParam", f.silentParam);
  f.fileName = convert(fileName);
  f.regeditName = CutRegistryName(regeditName);
  f.gameRepair = jf::EqualsNumberOne(e, "gameRepair");
  return ok;
}

// A runtime entry's minimum version. Absent, null or empty text means none, as in replies
// that predate it. False for any other value that is not a version: such an entry is left out
// of the list, as an unsafe one is. Judged without its version, an older package under the
// shared key would pass for complete; judged never installed, every repair would run its
// installer again and still find it missing.
bool ReadMinVersion(const json& e, CatalogueFile& f) {
  auto it = e.find("minVersion");
  if (it == e.end() || it->is_null() || (it->is_string() && it->get_ref<const std::string&>().empty()))
    return true;
  f.hasMinVersion = it->is_string() && ParseRuntimeVersion(it->get_ref<const std::string&>(), f.minVersion);
  return f.hasMinVersion;
}

// A runtime entry's optional systemBit (1: a 64-bit package); absent means 0. False, and the
// entry left out, for a value that is not a number.
bool ReadRuntimeBits(const json& e, CatalogueFile& f) {
  if (e.find("systemBit") == e.end()) return true;
  return jf::ReadInt32(e, "systemBit", f.systemBit);
}

bool ReadSystemFolderEntry(const json& e, const DisplayTextConverter& convert, bool withIsKey,
                           CatalogueFile& f) {
  std::string fileName;
  bool ok = jf::ReadInt32(e, "id", f.id) && jf::ReadInt32(e, "systemBit", f.systemBit) &&
            jf::ReadText(e, "downloadUrl", f.downloadUrl) &&
            jf::ReadText(e, "fileName", fileName) && jf::ReadText(e, "fileMd5", f.fileMd5) &&
            jf::ReadText(e, "filePath", f.filePath) &&
            (!withIsKey || jf::ReadBool(e, "isKey", f.isKey));
  f.fileName = convert(fileName);
  return ok;
}

// The user record of kinds 8 and 15, accepted only with a usable id and token.
ReplyStatus ReadUser(const json& root, bool withHeadImage, UserInfo& out) {
  const json* data = DataOf(root, false);
  if (!data) return ReplyStatus::kMalformed;
  UserInfo user;
  if (!jf::ReadInt32(*data, "userId", user.userId) ||
      !jf::ReadText(*data, "userToken", user.userToken) ||
      (withHeadImage && !jf::ReadText(*data, "headImgUrl", user.headImgUrl)))
    return ReplyStatus::kMalformed;
  if (user.userId < 0 || user.userToken.empty()) return ReplyStatus::kNotAccepted;
  user.signedIn = true;
  out = std::move(user);
  return ReplyStatus::kAccepted;
}

}  // namespace

EntryRead ReadListEntry(int kind, const json& entry, const DisplayTextConverter& convert, CatalogueFile& file,
                        int& type) {
  type = -1;
  bool ok = false;
  if (kind == kCommonFiles) ok = ReadCommonEntry(entry, convert, file, type);
  else if (kind == kRuntimeFiles) ok = ReadRuntimeEntry(entry, convert, file);
  else if (kind == kDirectXFiles || kind == kSystemFiles)
    ok = ReadSystemFolderEntry(entry, convert, kind == kSystemFiles, file);
  if (!ok) return EntryRead::kMalformed;
  if (kind == kRuntimeFiles && (!ReadMinVersion(entry, file) || !ReadRuntimeBits(entry, file)))
    return EntryRead::kLeftOut;
  // Left out before anything looks at it: a scan would otherwise probe the path it names.
  if (!EntryIsUsable(kind, file)) return EntryRead::kLeftOut;
  if (kind == kCommonFiles && !IsWebUrl(file.imgUrl)) file.imgUrl.clear();
  return EntryRead::kUsable;
}

std::string CutRegistryName(const std::string& regeditName) {
  size_t crlf = regeditName.find("\r\n");
  return crlf == std::string::npos || crlf == 0 ? regeditName : regeditName.substr(0, crlf);
}

ReplyStatus ParseCommonFiles(const std::string& body, const DisplayTextConverter& convert,
                             CommonCatalogue& out) {
  json root;
  ReplyStatus status = ReadEnvelope(body, root);
  if (status != ReplyStatus::kAccepted) return status;
  const json* data = DataOf(root, false);
  if (!data) return ReplyStatus::kMalformed;
  CommonCatalogue common;
  if (!jf::ReadText(*data, "kfUrl", common.kfUrl) || !jf::ReadText(*data, "xyUrl", common.xyUrl) ||
      !jf::ReadText(*data, "secretUrl", common.secretUrl))
    return ReplyStatus::kMalformed;
  // A link that is not a web address (a local program, a file: or script: URL) opens nothing.
  for (std::string* link : {&common.kfUrl, &common.xyUrl, &common.secretUrl})
    if (!IsWebUrl(*link)) link->clear();
  auto list = data->find("filesList");
  if (list == data->end() || !list->is_array()) return ReplyStatus::kMalformed;
  for (const json& entry : *list) {
    bool enabled = false;
    if (!ReadStatus(entry, enabled)) return ReplyStatus::kMalformed;
    if (!enabled) continue;
    CatalogueFile file;
    int type = -1;
    const EntryRead read = ReadListEntry(kCommonFiles, entry, convert, file, type);
    if (read == EntryRead::kMalformed) return ReplyStatus::kMalformed;
    // An entry the program may not use is left out; the rest of the reply still counts.
    if (read == EntryRead::kLeftOut) continue;
    if (type == 0) common.cplusFiles.push_back(std::move(file));
    else if (type == 1) common.netFiles.push_back(std::move(file));
    else if (type == 2) common.gameFiles.push_back(std::move(file));
  }
  out = std::move(common);
  return ReplyStatus::kAccepted;
}

ReplyStatus ParseFileList(int kind, const std::string& body, const DisplayTextConverter& convert,
                          CatalogueList& out) {
  if (kind != kRuntimeFiles && kind != kDirectXFiles && kind != kSystemFiles)
    return ReplyStatus::kMalformed;
  json root;
  ReplyStatus status = ReadEnvelope(body, root);
  if (status != ReplyStatus::kAccepted) return status;
  const json* data = DataOf(root, true);
  if (!data) return ReplyStatus::kMalformed;
  CatalogueList list;
  for (const json& entry : *data) {
    bool enabled = false;
    if (!ReadStatus(entry, enabled)) return ReplyStatus::kMalformed;
    if (!enabled) continue;
    CatalogueFile file;
    int type = -1;
    const EntryRead read = ReadListEntry(kind, entry, convert, file, type);
    if (read == EntryRead::kMalformed) return ReplyStatus::kMalformed;
    if (read == EntryRead::kUsable) list.push_back(std::move(file));
  }
  out = std::move(list);
  return ReplyStatus::kAccepted;
}

ReplyStatus ParseUserInfo(const std::string& body, UserInfo& out) {
  json root;
  ReplyStatus status = ReadEnvelope(body, root);
  return status == ReplyStatus::kAccepted ? ReadUser(root, false, out) : status;
}

ReplyStatus ParseSignInCode(const std::string& body, SignInCode& out) {
  json root;
  ReplyStatus status = ReadEnvelope(body, root);
  if (status != ReplyStatus::kAccepted) return status;
  SignInCode code;
  if (!jf::ReadText(root, "wechatLoginUrl", code.wechatLoginUrl) ||
      !jf::ReadText(root, "loginCode", code.loginCode))
    return ReplyStatus::kMalformed;
  out = std::move(code);
  return ReplyStatus::kAccepted;
}

ReplyStatus ParseSignInResult(const std::string& body, UserInfo& out, std::string& msg) {
  json root;
  ReplyStatus status = ReadEnvelope(body, root);
  if (status == ReplyStatus::kMalformed) return status;
  if (!jf::ReadText(root, "msg", msg)) msg.clear();
  return status == ReplyStatus::kAccepted ? ReadUser(root, true, out) : status;
}

}  // namespace net


