#pragma once
#include "service/server_state.h"
#include "signin/provider.h"

namespace catalogue {

// Stands in for the phone: the page shows a QR code and an approve button, and approving
// grants a one-off code that only this sign-in code can exchange.
class DemoProvider : public SignInProvider {
 public:
  explicit DemoProvider(ServerState& state) : state_(state) {}
  std::string page_html(const std::string& login_code) override;
  void register_routes(Router& routes) override;
  ExchangeResult exchange(const std::string& code, const ConsumedCode& consumed) override;

 private:
  ServerState& state_;
};

}  // namespace catalogue
