#include "app/store_reply.h"

#include <algorithm>

namespace app {

using namespace net;

namespace {

void LeaveOut64BitPackages(CatalogueList& list) {
  list.erase(std::remove_if(list.begin(), list.end(), [](const CatalogueFile& f) { return f.systemBit == 1; }),
             list.end());
}

}  // namespace

ReplyStatus StoreReply(AppState& state, int kind, const std::string& body,
                       const DisplayTextConverter& convert) {
  switch (kind) {
    case kCommonFiles: {
      CommonCatalogue common;
      ReplyStatus status = ParseCommonFiles(body, convert, common);
      if (status == ReplyStatus::kAccepted) state.ReplaceCommon(std::move(common));
      return status;
    }
    case kRuntimeFiles:
    case kDirectXFiles:
    case kSystemFiles: {
      CatalogueList list;
      ReplyStatus status = ParseFileList(kind, body, convert, list);
      if (status != ReplyStatus::kAccepted) return status;
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
