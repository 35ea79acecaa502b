#include "signin/demo_provider.h"

#include "http/reply.h"
#include "signin/qr_html.h"
#include "signin/signin_pages.h"

namespace catalogue {

std::string DemoProvider::page_html(const std::string& login_code) {
  std::string approve = state_.public_base + "/signin/demo/approve?loginCode=" + login_code;
  return page_frame("微信登录",
                    "<h1>微信扫码登录（演示）</h1><div class=\"qrbox\">" + qr_table_html(approve, 5) +
                        "</div><p>演示模式：点击下方按钮代替手机扫码确认</p>"
                        "<p><a class=\"button\" id=\"approve\" href=\"" + html_escape(approve) +
                        "\" target=\"wxapprove\">确认登录</a></p>"
                        // The approval answers with the callback page, in a frame as WeChat's
                        // redirect does, so it reports through this page's bridge.
                        "<iframe name=\"wxapprove\" width=\"0\" height=\"0\" frameborder=\"0\"></iframe>");
}

void DemoProvider::register_routes(Router& routes) {
  routes.exact("/signin/demo/approve", [this](const httplib::Request& req, httplib::Response& res) {
    std::string login_code = req.get_param_value("loginCode");
    if (req.get_param_value_count("loginCode") != 1 || req.params.size() != 1 || !is_token_text(login_code, 64))
      return set_error(res, 400, "bad sign-in code");
    std::optional<std::string> grant = LoginCodes(*state_.pool.lease()).approve(login_code, state_.now());
    if (!grant) {
      res.status = 410;
      res.set_content(page_frame("微信登录", "<p>二维码已失效，请刷新后重试</p>"), "text/html; charset=utf-8");
      return;
    }
    res.set_content(callback_page(*grant, "1", login_code), "text/html; charset=utf-8");
  });
}

ExchangeResult DemoProvider::exchange(const std::string& code, const ConsumedCode& consumed) {
  if (consumed.grantCode.empty() || code != consumed.grantCode) return {std::nullopt, "授权码无效，请重新扫码"};
  // One demo user per machine, so signing in again on the same PC finds the same account.
  Identity who{"demo", "mac:" + consumed.mac, "演示用户", state_.public_base + "/files/images/head-demo.png"};
  return {who, std::string()};
}

}  // namespace catalogue
