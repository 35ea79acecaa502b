#pragma once
#include <httplib.h>

#include <nlohmann/json.hpp>
#include <string>

namespace catalogue {

// Every API reply is one envelope: "code" as a decimal string ("200" on success), "msg", and
// "data". A refused request carries its HTTP status both on the wire and in "code", so the
// program's check for "200" refuses it as well.
nlohmann::json envelope(int code, const std::string& msg, nlohmann::json data);
void set_json(httplib::Response& res, int http_status, const nlohmann::json& body);
void set_error(httplib::Response& res, int http_status, const std::string& msg);

}  // namespace catalogue
