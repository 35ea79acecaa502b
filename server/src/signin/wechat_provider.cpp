#include "signin/wechat_provider.h"

#include <nlohmann/json.hpp>

#include "http/reply.h"
#include "signin/signin_pages.h"

namespace catalogue {
namespace {

// GET base + path_and_query and parse a JSON object; empty json on any failure.
nlohmann::json fetch_json(const std::string& base, const std::string& path_and_query) {
  httplib::Client client(base);
  client.set_connection_timeout(5, 0);
  client.set_read_timeout(5, 0);
  httplib::Result r = client.Get(path_and_query.c_str());
  if (!r || r->status != 200) return nlohmann::json();
  nlohmann::json j = nlohmann::json::parse(r->body, nullptr, false);
  return j.is_object() ? j : nlohmann::json();
}

std::string text_member(const nlohmann::json& j, const char* key) {
  auto it = j.find(key);
  return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

std::string percent_encode(const std::string& text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += digits[c >> 4];
      out += digits[c & 15];
    }
  }
  return out;
}

std::string WeChatProvider::qrconnect_url(const std::string& login_code) const {
  return config_.connectBase + "/connect/qrconnect?appid=" + percent_encode(config_.appId) +
         "&redirect_uri=" + percent_encode(state_.public_base + "/signin/wechat/callback") +
         "&response_type=code&scope=snsapi_login&state=" + login_code + "#wechat_redirect";
}

std::string WeChatProvider::page_html(const std::string& login_code) {
  return page_frame("微信登录", "<iframe id=\"wxqr\" src=\"" + html_escape(qrconnect_url(login_code)) +
                                     "\" width=\"360\" height=\"420\" frameborder=\"0\" scrolling=\"no\"></iframe>");
}

void WeChatProvider::register_routes(Router& routes) {
  // WeChat sends the frame here after the phone confirmed; a refusal arrives without a code.
  routes.exact("/signin/wechat/callback", [](const httplib::Request& req, httplib::Response& res) {
    std::string code = req.get_param_value("code");
    std::string state = req.get_param_value("state");
    if (req.get_param_value_count("code") != 1 || req.get_param_value_count("state") != 1 ||
        !is_token_text(code, 256) || !is_token_text(state, 64)) {
      res.status = 400;
      res.set_content(page_frame("微信登录", "<p>未获得微信授权，请刷新后重试</p>"), "text/html; charset=utf-8");
      return;
    }
    res.set_content(callback_page(code, "1", state), "text/html; charset=utf-8");
  });
}

ExchangeResult WeChatProvider::exchange(const std::string& code, const ConsumedCode&) {
  nlohmann::json token = fetch_json(config_.apiBase, "/sns/oauth2/access_token?appid=" + percent_encode(config_.appId) +
                                                         "&secret=" + percent_encode(config_.secret) +
                                                         "&code=" + percent_encode(code) +
                                                         "&grant_type=authorization_code");
  std::string access_token = text_member(token, "access_token");
  std::string openid = text_member(token, "openid");
  if (access_token.empty() || openid.empty()) return {std::nullopt, "微信授权失败，请重新扫码"};
  nlohmann::json info = fetch_json(config_.apiBase, "/sns/userinfo?access_token=" + percent_encode(access_token) +
                                                        "&openid=" + percent_encode(openid));
  if (info.is_null()) return {std::nullopt, "读取微信用户信息失败，请重试"};
  // The union id is the same across all of the operator's WeChat apps; the open id is per app.
  std::string unionid = text_member(token, "unionid");
  Identity who{"wechat", unionid.empty() ? "openid:" + openid : "unionid:" + unionid, text_member(info, "nickname"),
               text_member(info, "headimgurl")};
  return {who, std::string()};
}

}  // namespace catalogue
