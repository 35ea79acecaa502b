#include "http/router.h"

namespace catalogue {

void Router::exact(const std::string& path, Plain handler) {
  exact_[path] = [handler = std::move(handler)](const httplib::Request& req, httplib::Response& res, FileBody&) {
    handler(req, res);
  };
}

const Router::Handler* Router::find(httplib::Request& req) const {
  auto it = exact_.find(req.path);
  if (it != exact_.end()) return &it->second;
  for (const auto& [re, handler] : patterns_)
    if (std::regex_match(req.path, req.matches, re)) return &handler;
  return nullptr;
}

}  // namespace catalogue
