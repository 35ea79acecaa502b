#include "app/signin/sign_in_replies.h"

#include "browser/url_policy.h"
#include "net/catalogue_parser.h"

namespace app {

SignInReplyAction ReadSignInReply(int kind, bool ok, const std::string* body) {
  SignInReplyAction action;
  if (!ok || body == nullptr) return action;
  if (kind == net::kSignInCode) {
    net::SignInCode code;
    if (net::ParseSignInCode(*body, code) == net::ReplyStatus::kAccepted && browser::IsWebAddress(code.wechatLoginUrl)) {
      action.kind = SignInReplyAction::kShowPage;
      action.pageUrl = code.wechatLoginUrl;
    } else {
      action.kind = SignInReplyAction::kRequestFailedPrompt;
    }
    return action;
  }
  if (kind != net::kSignInResult) return action;
  net::UserInfo user;
  std::string message;
  switch (net::ParseSignInResult(*body, user, message)) {
    case net::ReplyStatus::kAccepted:
      action.kind = SignInReplyAction::kComplete;
      action.user = user;
      break;
    case net::ReplyStatus::kCodeNot200:
      action.kind = SignInReplyAction::kErrorPrompt;
      action.message = message;
      break;
    case net::ReplyStatus::kNotAccepted:
    case net::ReplyStatus::kMalformed:
      action.kind = SignInReplyAction::kRequestFailedPrompt;
      break;
  }
  return action;
}

}  // namespace app
