#include "net/http_ranges.h"

#include <cctype>

namespace net {

namespace {

// Digits at `at`, moving past them; -1 when there are none or too many.
long long Number(const std::string& text, size_t& at) {
  long long value = 0;
  const size_t start = at;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    if (at - start >= 18) return -1;
    value = value * 10 + (text[at++] - '0');
  }
  return at == start ? -1 : value;
}

// Past "bytes" and the blanks after it, case as RFC 9110 allows.
bool SkipUnit(const std::string& value, size_t& at) {
  static const char kUnit[] = "bytes";
  at = 0;
  while (at < value.size() && value[at] == ' ') ++at;
  for (const char* c = kUnit; *c; ++c, ++at)
    if (at >= value.size() || std::tolower(static_cast<unsigned char>(value[at])) != *c) return false;
  if (at >= value.size() || value[at] != ' ') return false;
  while (at < value.size() && value[at] == ' ') ++at;
  return true;
}

}  // namespace

long long ContentRangeStart(const std::string& value) {
  size_t at;
  if (!SkipUnit(value, at)) return -1;
  const long long first = Number(value, at);
  if (first < 0 || at >= value.size() || value[at] != '-') return -1;
  ++at;
  const long long last = Number(value, at);
  if (last < first || at >= value.size() || value[at] != '/') return -1;
  return first;
}

long long ContentRangeLength(const std::string& value) {
  size_t at;
  if (!SkipUnit(value, at)) return -1;
  const size_t slash = value.find('/', at);
  if (slash == std::string::npos) return -1;
  at = slash + 1;
  const long long length = Number(value, at);
  while (at < value.size() && (value[at] == ' ' || value[at] == '\r' || value[at] == '\n')) ++at;
  return at == value.size() ? length : -1;
}

std::string ResumeValidator(const std::string& etag, const std::string& lastModified) {
  if (etag.size() >= 2 && etag.front() == '"' && etag.back() == '"') return etag;
  return lastModified;
}

}  // namespace net
