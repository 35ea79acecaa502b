#include "app/signin/sign_in_completion.h"

#include "browser/url_policy.h"

namespace app {

void CompleteSignIn(const net::UserInfo& user, const std::string& imageFolder, AppState& state, const SignInStore& store) {
  net::ImageCacheOps images = store.images;
  if (!browser::IsWebAddress(user.headImgUrl)) images.download = [](const std::string&, const std::string&) { return false; };
  net::CacheHeadImage(user.userId, user.headImgUrl, imageFolder, images);
  state.SetUser(user);
  store.storeToken(user.userToken);
}

}  // namespace app
