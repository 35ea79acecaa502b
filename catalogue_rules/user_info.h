#pragma once
#include <string>

namespace net {

// The signed-in user. The default record means nobody is signed in; sign-out restores it.
struct UserInfo {
  int userId = -1;
  bool signedIn = false;
  std::string headImgUrl;
  std::string userToken;
};

}  // namespace net
