#include "net/json_fields.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace net::json_fields {

namespace {

const nlohmann::json* Member(const nlohmann::json& object, const char* key) {
  if (!object.is_object()) return nullptr;
  auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

int SaturateDouble(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(value);  // truncates toward zero
}

}  // namespace

bool ReadInt32(const nlohmann::json& object, const char* key, int& out) {
  const nlohmann::json* value = Member(object, key);
  if (!value) return false;
  if (value->is_boolean()) {
    out = value->get<bool>() ? 1 : 0;
  } else if (value->is_number_unsigned()) {
    std::uint64_t u = value->get<std::uint64_t>();
    out = u > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(u);
  } else if (value->is_number_integer()) {
    std::int64_t i = value->get<std::int64_t>();
    out = i > INT_MAX ? INT_MAX : i < INT_MIN ? INT_MIN : static_cast<int>(i);
  } else if (value->is_number_float()) {
    out = SaturateDouble(value->get<double>());
  } else {
    return false;
  }
  return true;
}

bool ReadText(const nlohmann::json& object, const char* key, std::string& out) {
  const nlohmann::json* value = Member(object, key);
  if (!value || !value->is_string()) return false;
  out = value->get<std::string>();
  return true;
}

bool ReadOptionalText(const nlohmann::json& object, const char* key, std::string& out) {
  const nlohmann::json* value = Member(object, key);
  if (!value) {
    out.clear();
    return true;
  }
  return ReadText(object, key, out);
}

bool ReadBool(const nlohmann::json& object, const char* key, bool& out) {
  const nlohmann::json* value = Member(object, key);
  if (!value || !value->is_boolean()) return false;
  out = value->get<bool>();
  return true;
}

bool EqualsNumberOne(const nlohmann::json& object, const char* key) {
  const nlohmann::json* value = Member(object, key);
  return value && value->is_number() && *value == 1;
}

}  // namespace net::json_fields
