#include "http/exact_routes.h"

namespace catalogue {

bool ExactRoutes::dispatch(const httplib::Request& req, httplib::Response& res) const {
  if (req.method != "GET" && req.method != "HEAD") return false;
  auto it = routes_.find(req.path);
  if (it == routes_.end()) return false;
  it->second(req, res);
  return true;
}

}  // namespace catalogue
