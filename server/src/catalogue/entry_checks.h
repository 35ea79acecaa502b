#pragma once
#include <optional>
#include <string>
#include <vector>

#include "catalogue/entry.h"

namespace catalogue {

// URL prefix under which the server hosts the files the catalogue points at.
constexpr const char* hosted_prefix = "/files/";

// Empty when the address is usable by the program: http(s), or a path on this server; no
// spaces or control characters, because the program appends it to nothing and sends it as is.
std::string url_problem(const std::string& url, bool may_be_empty);

// The path below the files folder that a hosted address names, or nothing for an address that
// is not hosted here or that tries to climb out of the folder.
std::optional<std::string> hosted_relative_path(const std::string& url);

bool is_md5_text(const std::string& text);
bool is_sha256_text(const std::string& text);  // 64 lower-case hexadecimal digits

// "major.minor.build" in decimal digits, as the runtime packages' registry keys count them:
// major and minor fit in 16 bits, build in 32.
bool is_version_text(const std::string& text);
extern const char* const min_version_reason;

// Checks of content that the JSON types alone do not catch.
std::vector<std::string> entry_content_problems(const Entry& e);

}  // namespace catalogue
