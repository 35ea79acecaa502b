#pragma once
#include <httplib.h>

#include <functional>
#include <string>
#include <unordered_map>

namespace catalogue {

// GET (and HEAD) routes on fixed paths, found by one hash lookup before the library's routing,
// which tries each route's regular expression in turn. The requests every running program
// sends (the catalogue lists, the token check) go here.
class ExactRoutes {
 public:
  using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;
  void get(const std::string& path, Handler handler) { routes_[path] = std::move(handler); }
  // True when a route took the request.
  bool dispatch(const httplib::Request& req, httplib::Response& res) const;

 private:
  std::unordered_map<std::string, Handler> routes_;
};

}  // namespace catalogue
