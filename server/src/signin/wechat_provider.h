#pragma once
#include "service/server_state.h"
#include "signin/provider.h"

namespace catalogue {

struct WeChatConfig {
  std::string appId;
  std::string secret;
  std::string connectBase = "https://open.weixin.qq.com";
  std::string apiBase = "https://api.weixin.qq.com";
};

// WeChat's website QR login: the page embeds WeChat's QR connect page, WeChat redirects the
// frame to our callback with the code, and the exchange asks WeChat's API who the user is.
class WeChatProvider : public SignInProvider {
 public:
  WeChatProvider(ServerState& state, WeChatConfig config) : state_(state), config_(std::move(config)) {}
  std::string page_html(const std::string& login_code) override;
  void register_routes(Router& routes) override;
  ExchangeResult exchange(const std::string& code, const ConsumedCode& consumed) override;

  std::string qrconnect_url(const std::string& login_code) const;

 private:
  ServerState& state_;
  WeChatConfig config_;
};

std::string percent_encode(const std::string& text);

}  // namespace catalogue
