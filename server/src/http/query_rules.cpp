#include "http/query_rules.h"

#include "util/utf8.h"

namespace catalogue {

std::string check_query(const httplib::Request& req, const std::vector<QueryKey>& keys) {
  for (const auto& [name, value] : req.params) {
    (void)value;
    bool known = false;
    for (const QueryKey& k : keys) known = known || name == k.name;
    if (!known) return "unexpected query key";
  }
  for (const QueryKey& k : keys) {
    size_t count = req.get_param_value_count(k.name);
    if (count == 0) return std::string("missing query key ") + k.name;
    if (count > 1) return std::string("query key ") + k.name + " given more than once";
    std::string value = req.get_param_value(k.name);
    if (value.size() > k.max_length) return std::string("query value ") + k.name + " is too long";
    if (!is_valid_utf8(value)) return std::string("query value ") + k.name + " is not UTF-8";
  }
  return std::string();
}

}  // namespace catalogue
