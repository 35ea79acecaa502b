#pragma once
#include <string>

#include <nlohmann/json.hpp>

// Typed reads of one member of a JSON object. Each returns false when the member is missing or
// has a type the catalogue protocol does not allow there; the caller then treats the whole
// reply as malformed. They never throw.
namespace net::json_fields {

// Any JSON number (integer, unsigned or floating, truncated) or a boolean (0 or 1), saturated
// to the 32-bit range.
bool ReadInt32(const nlohmann::json& object, const char* key, int& out);
bool ReadText(const nlohmann::json& object, const char* key, std::string& out);
// Absent reads as empty text; present but not a string is an error.
bool ReadOptionalText(const nlohmann::json& object, const char* key, std::string& out);
bool ReadBool(const nlohmann::json& object, const char* key, bool& out);
// True exactly when the member is a JSON number equal to 1 (so 1.0 counts, "1" does not).
bool EqualsNumberOne(const nlohmann::json& object, const char* key);

}  // namespace net::json_fields
