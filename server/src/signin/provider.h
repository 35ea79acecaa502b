#pragma once
#include <httplib.h>

#include <memory>
#include <optional>
#include <string>

#include "http/router.h"
#include "users/login_codes.h"
#include "users/user_store.h"

namespace catalogue {

struct ExchangeResult {
  std::optional<Identity> identity;
  std::string error;  // shown to the user by the program when identity is empty
};

// Where the QR code comes from and how the code that the page hands back becomes a user.
class SignInProvider {
 public:
  virtual ~SignInProvider() = default;
  // The page behind "wechatLoginUrl" for a live sign-in code.
  virtual std::string page_html(const std::string& login_code) = 0;
  // Routes of the provider's own (approval, redirect target).
  virtual void register_routes(Router& routes) = 0;
  virtual ExchangeResult exchange(const std::string& code, const ConsumedCode& consumed) = 0;
};

}  // namespace catalogue
