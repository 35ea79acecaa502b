#include "http/api_routes.h"
#include "http/client_address.h"
#include "http/query_rules.h"
#include "http/reply.h"
#include "signin/signin_pages.h"
#include "users/login_codes.h"
#include "users/user_store.h"

namespace catalogue {
namespace {

void user_info_by_token(ServerState& state, const httplib::Request& req, httplib::Response& res) {
  if (!check_query(req, {}).empty()) return set_error(res, 400, "unexpected query");
  if (req.get_header_value_count("token") != 1) return set_error(res, 401, "请先登录");
  std::string token = req.get_header_value("token");
  // Tokens are 64 hex digits; anything else cannot be one, and is not looked up.
  if (!is_token_text(token, 64) || token.size() != 64) return set_error(res, 401, "登录已失效，请重新登录");
  ConnectionPool::Lease db = state.pool.lease();
  std::optional<UserRecord> user = UserStore(*db).user_for_token(token, state.now());
  // A lost database is not a lost token: the program forgets a token that is refused with 401.
  if (!user && !db->ok()) return set_error(res, 503, "服务暂时不可用，请稍后重试");
  if (!user) return set_error(res, 401, "登录已失效，请重新登录");
  set_json(res, 200, envelope(200, "success", {{"userId", user->id}, {"userToken", token}}));
}

void sign_in_page_address(ServerState& state, const httplib::Request& req, httplib::Response& res) {
  std::string problem = check_query(req, {{"commodityType", 16}, {"isCef", 16}, {"channelNum", 128}, {"mac", 64}});
  if (!problem.empty()) return set_error(res, 400, problem);
  if (!state.code_quota.take(client_address(req, state.client_address_header), state.now()))
    return set_error(res, 429, "请求过于频繁，请稍后再试");
  std::optional<std::string> code =
      LoginCodes(*state.pool.lease(), state.max_live_codes)
          .issue(req.get_param_value("channelNum"), req.get_param_value("mac"), state.now());
  if (!code) return set_error(res, 503, "无法创建登录码");
  nlohmann::json body = envelope(200, "success", nlohmann::json::object());
  body["wechatLoginUrl"] = state.public_base + "/signin/page?loginCode=" + *code;
  body["loginCode"] = *code;
  set_json(res, 200, body);
}

void sign_in_result(ServerState& state, SignInProvider& provider, const httplib::Request& req,
                    httplib::Response& res) {
  std::string problem = check_query(
      req, {{"channelNum", 128}, {"mac", 64}, {"code", 256}, {"commodityType", 16}, {"loginCode", 64}});
  if (!problem.empty()) return set_error(res, 400, problem);
  std::string code = req.get_param_value("code");
  std::string login_code = req.get_param_value("loginCode");
  if (!is_token_text(code, 256) || !is_token_text(login_code, 64)) return set_error(res, 400, "登录参数无效");
  std::optional<ConsumedCode> consumed;
  {
    ConnectionPool::Lease db = state.pool.lease();
    consumed = LoginCodes(*db).consume(login_code, state.now());
    if (!consumed && !db->ok()) return set_error(res, 503, "服务暂时不可用，请稍后重试");
  }
  if (!consumed) return set_error(res, 410, "二维码已失效，请重新扫码");
  // Holding no connection: the exchange may wait on WeChat's servers.
  ExchangeResult who = provider.exchange(code, *consumed);
  if (!who.identity) return set_error(res, 401, who.error);
  std::optional<UserRecord> user;
  std::optional<std::string> token;
  {
    ConnectionPool::Lease db = state.pool.lease();
    int64_t now = state.now();
    user = UserStore(*db).upsert(*who.identity, now);
    if (user) token = UserStore(*db).issue_token(user->id, now, token_lifetime_seconds);
  }
  if (!user || !token) return set_error(res, 503, "登录失败，请稍后重试");
  set_json(res, 200, envelope(200, "success", {{"userId", user->id}, {"userToken", *token}, {"headImgUrl", user->headImgUrl}}));
}

void sign_in_page(ServerState& state, SignInProvider& provider, const httplib::Request& req, httplib::Response& res) {
  std::string login_code = req.get_param_value("loginCode");
  if (req.params.size() != 1 || !is_token_text(login_code, 64)) return set_error(res, 400, "bad sign-in code");
  bool live = LoginCodes(*state.pool.lease()).is_live(login_code, state.now());
  if (!live) {
    res.status = 410;
    res.set_content(page_frame("微信登录", "<p>二维码已失效，请刷新后重试</p>"), "text/html; charset=utf-8");
    return;
  }
  res.set_content(provider.page_html(login_code), "text/html; charset=utf-8");
}

}  // namespace

void register_user_routes(Router& routes, ServerState& state, SignInProvider& provider) {
  routes.exact("/api/dll/user/getUserInfoByToken",
             [&state](const httplib::Request& req, httplib::Response& res) { user_info_by_token(state, req, res); });
  routes.exact("/api/dll/user/wechat/login",
             [&state](const httplib::Request& req, httplib::Response& res) { sign_in_page_address(state, req, res); });
  routes.exact("/api/dll/user/getOpenId", [&state, &provider](const httplib::Request& req, httplib::Response& res) {
    sign_in_result(state, provider, req, res);
  });
  routes.exact("/signin/page", [&state, &provider](const httplib::Request& req, httplib::Response& res) {
    sign_in_page(state, provider, req, res);
  });
  provider.register_routes(routes);
}

}  // namespace catalogue
