#pragma once
#include <httplib.h>

#include <functional>
#include <regex>
#include <string>
#include <unordered_map>
#include <vector>

#include "http/file_body.h"

namespace catalogue {

// The server's GET (and HEAD) routes. Fixed paths are found by one hash lookup: the requests
// every running program sends (the catalogue lists, the token check) are among them. Patterns
// are tried in the order they were added and must match the whole path.
class Router {
 public:
  // A handler may answer with a piece of a file instead of a body in memory.
  using Handler = std::function<void(const httplib::Request&, httplib::Response&, FileBody&)>;
  using Plain = std::function<void(const httplib::Request&, httplib::Response&)>;
  void exact(const std::string& path, Plain handler);
  void pattern(const std::string& regex, Handler handler) { patterns_.emplace_back(std::regex(regex), std::move(handler)); }

  // The handler for the path, or null.
  const Handler* find(httplib::Request& req) const;

 private:
  std::unordered_map<std::string, Handler> exact_;
  std::vector<std::pair<std::regex, Handler>> patterns_;
};

}  // namespace catalogue
