#pragma once
#include <httplib.h>

#include <string>
#include <vector>

namespace catalogue {

struct QueryKey {
  const char* name;
  size_t max_length;
};

// Empty when the query holds exactly the given keys, each once, with values of valid UTF-8
// within their lengths; otherwise the reason, for a 400 reply.
std::string check_query(const httplib::Request& req, const std::vector<QueryKey>& keys);

}  // namespace catalogue
