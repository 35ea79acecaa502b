#include "http/reply.h"

namespace catalogue {

nlohmann::json envelope(int code, const std::string& msg, nlohmann::json data) {
  return nlohmann::json{{"code", std::to_string(code)}, {"msg", msg}, {"data", std::move(data)}};
}

void set_json(httplib::Response& res, int http_status, const nlohmann::json& body) {
  res.status = http_status;
  // Replace rather than escape: stored texts are valid UTF-8 already, and a reply must never throw.
  res.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace), "application/json; charset=utf-8");
}

void set_error(httplib::Response& res, int http_status, const std::string& msg) {
  set_json(res, http_status, envelope(http_status, msg, nlohmann::json::object()));
}

}  // namespace catalogue
