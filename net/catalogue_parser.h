#pragma once
#include <functional>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "catalogue_rules/user_info.h"
#include "catalogue_rules/catalogue_records.h"

// Turns the catalogue server's replies into records. Pure functions: the output is written
// only when the whole reply has been read and accepted, so a malformed reply can never leave
// a half-filled list behind.
namespace net {

enum class ReplyStatus {
  kAccepted,
  kCodeNot200,   // well-formed envelope, but the server said no
  kNotAccepted,  // "200", but the payload names no usable user (negative id, empty token)
  kMalformed,    // not JSON, or keys missing or of another type
};

// Catalogue names and memos arrive in UTF-8 and are shown through the system's ANSI
// conversion, so they are converted (to code page 936 on Windows) while being read.
using DisplayTextConverter = std::function<std::string(const std::string&)>;

ReplyStatus ParseCommonFiles(const std::string& body, const DisplayTextConverter& convert,
                             CommonCatalogue& out);
// kind is kRuntimeFiles, kDirectXFiles or kSystemFiles.
ReplyStatus ParseFileList(int kind, const std::string& body, const DisplayTextConverter& convert,
                          CatalogueList& out);
// One entry of a list (kind 0, 3, 4 or 5) in the shape the list replies carry it, with every
// check a reply's entry gets; its "status" is not looked at. For the common list `type` receives
// the sub-list (0 C++, 1 .NET, 2 games). kLeftOut: well-formed but not for the program to use.
enum class EntryRead { kUsable, kLeftOut, kMalformed };
EntryRead ReadListEntry(int kind, const nlohmann::json& entry, const DisplayTextConverter& convert,
                        CatalogueFile& file, int& type);

// Kind 8: the user behind a stored token. headImgUrl stays empty.
ReplyStatus ParseUserInfo(const std::string& body, UserInfo& out);
ReplyStatus ParseSignInCode(const std::string& body, SignInCode& out);
// Kind 15. msg receives the server's reason whenever the envelope was readable.
ReplyStatus ParseSignInResult(const std::string& body, UserInfo& out, std::string& msg);

// The registry path of a runtime entry: the text before its first CR LF, unless that CR LF
// stands at the very start.
std::string CutRegistryName(const std::string& regeditName);

}  // namespace net
