#include "app/store_reply.h"

#include <algorithm>

namespace app {

using namespace net;

namespace {

void LeaveOut64BitPackages(CatalogueList& list) {
  list.erase(std::remove_if(list.begin(), list.end(), [](const CatalogueFile& f) { return f.systemBit == 1; }),
             list.end());
}

void KeepCovered(const SignedCatalogue& document, int kind, int type, CatalogueList& list) {
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](CatalogueFile& f) { return !CoveredBy(document, kind, type, f); }),
             list.end());
}

void KeepCovered(const SignedCatalogue& document, CommonCatalogue& common) {
  KeepCovered(document, kCommonFiles, 0, common.cplusFiles);
  KeepCovered(document, kCommonFiles, 1, common.netFiles);
  KeepCovered(document, kCommonFiles, 2, common.gameFiles);
  common.kfUrl = document.kfUrl;
  common.xyUrl = document.xyUrl;
  common.secretUrl = document.secretUrl;
}

bool IsCatalogueList(int kind) {
  return kind == kCommonFiles || kind == kRuntimeFiles || kind == kDirectXFiles || kind == kSystemFiles;
}

}  // namespace

ReplyStatus StoreReply(AppState& state, int kind, const std::string& body,
                       const DisplayTextConverter& convert, const ListTrust& trust) {
  if (trust.required && !trust.document && IsCatalogueList(kind)) return ReplyStatus::kNotAccepted;
  switch (kind) {
    case kCommonFiles: {
      CommonCatalogue common;
      ReplyStatus status = ParseCommonFiles(body, convert, common);
      if (status != ReplyStatus::kAccepted) return status;
      if (trust.required) KeepCovered(*trust.document, common);
      state.ReplaceCommon(std::move(common));
      return status;
    }
    case kRuntimeFiles:
    case kDirectXFiles:
    case kSystemFiles: {
      CatalogueList list;
      ReplyStatus status = ParseFileList(kind, body, convert, list);
      if (status != ReplyStatus::kAccepted) return status;
      if (trust.required) KeepCovered(*trust.document, kind, -1, list);
      if (kind == kRuntimeFiles && !state.system64Bit) LeaveOut64BitPackages(list);
      if (kind == kRuntimeFiles) state.ReplaceRuntimeFiles(std::move(list));
      else if (kind == kDirectXFiles) state.ReplaceDxFiles(std::move(list));
      else state.ReplaceSystemFiles(std::move(list));
      return status;
    }
    case kUserInfoByToken:
    case kSignInResult: {
      net::UserInfo user;
      std::string msg;
      ReplyStatus status = kind == kUserInfoByToken ? ParseUserInfo(body, user)
                                                    : ParseSignInResult(body, user, msg);
      if (status == ReplyStatus::kAccepted) state.SetUser(std::move(user));
      return status;
    }
    default:
      return ReplyStatus::kMalformed;
  }
}

}  // namespace app
