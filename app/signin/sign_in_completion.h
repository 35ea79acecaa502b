#pragma once
#include <functional>
#include <string>

#include "page_machinery/app_state.h"
#include "net/image_cache.h"

namespace app {

// What completing a sign-in writes outside the shared state.
struct SignInStore {
  net::ImageCacheOps images;
  std::function<void(const std::string& token)> storeToken;
};

// A sign-in the server accepted, in this order: the user's head image in the image folder
// (kept when it is there, else fetched with up to three tries, and only from a web address:
// the address comes from the server), the user in the shared state, the token for the next
// start. A head image that cannot be had does not stop the sign-in.
void CompleteSignIn(const net::UserInfo& user, const std::string& imageFolder, AppState& state, const SignInStore& store);

}  // namespace app
