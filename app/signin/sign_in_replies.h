#pragma once
#include <string>

#include "catalogue_rules/user_info.h"

namespace app {

// What the sign-in window does with one reply of the sign-in requests (page address, kind 13;
// result, kind 15).
struct SignInReplyAction {
  enum Kind {
    kNothing,             // the transfer failed: the window stays as it is
    kShowPage,            // pageUrl is the sign-in page to show
    kRequestFailedPrompt, // "请求服务失败"; the window stays where it is
    kErrorPrompt,         // "错误提示" with message (UTF-8), then a new page request
    kComplete,            // user signed in
  };
  Kind kind = kNothing;
  std::string pageUrl;
  std::string message;
  net::UserInfo user;
};

// A page address that is not a web page counts as a refusal: the browser would not open it.
SignInReplyAction ReadSignInReply(int kind, bool ok, const std::string* body);

}  // namespace app
