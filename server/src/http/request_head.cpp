#include "http/request_head.h"

#include <cstring>

namespace catalogue {
namespace {

bool is_token_char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         strchr("!#$%&'*+-.^_`|~", c) != nullptr;
}

std::string trimmed(const char* begin, const char* end) {
  while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
  while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
  return std::string(begin, end);
}

RequestHead refuse(int status, const char* reason) {
  RequestHead h;
  h.refusal = status;
  h.reason = reason;
  h.keep_alive = false;
  return h;
}

bool ci_equal(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

}  // namespace

size_t request_head_length(const char* data, size_t size) {
  const char* end = static_cast<const char*>(memmem(data, size, "\r\n\r\n", 4));
  return end ? static_cast<size_t>(end - data) + 4 : 0;
}

int incomplete_head_refusal(const char* data, size_t size) {
  const char* line_end = static_cast<const char*>(memchr(data, '\n', size));
  if (line_end == nullptr) return size > max_request_line_bytes ? 414 : 0;
  return size > max_request_head_bytes ? 431 : 0;
}

RequestHead parse_request_head(const char* data, size_t head_bytes, httplib::Request& req) {
  const char* p = data;
  const char* end = data + head_bytes - 2;  // the last line's CRLF ends the head
  const char* line_end = static_cast<const char*>(memmem(p, static_cast<size_t>(end - p), "\r\n", 2));
  if (line_end == nullptr) return refuse(400, "bad request line");
  if (static_cast<size_t>(line_end - p) > max_request_line_bytes) return refuse(414, "request line too long");

  // METHOD SP target SP HTTP/1.x
  const char* sp1 = static_cast<const char*>(memchr(p, ' ', static_cast<size_t>(line_end - p)));
  const char* sp2 = sp1 ? static_cast<const char*>(memchr(sp1 + 1, ' ', static_cast<size_t>(line_end - sp1 - 1))) : nullptr;
  if (sp1 == nullptr || sp2 == nullptr || sp1 == p) return refuse(400, "bad request line");
  for (const char* c = p; c < sp1; ++c)
    if (!is_token_char(*c)) return refuse(400, "bad method");
  req.method.assign(p, sp1);
  std::string target(sp1 + 1, sp2);
  std::string version(sp2 + 1, line_end);
  if (version != "HTTP/1.1" && version != "HTTP/1.0") return refuse(400, "unsupported HTTP version");
  if (target.empty() || target[0] != '/') return refuse(400, "bad request target");
  for (unsigned char c : target)
    if (c <= 0x20 || c == 0x7f) return refuse(400, "bad request target");
  req.version = version;
  req.target = target;
  size_t q = target.find('?');
  req.path = httplib::detail::decode_url(target.substr(0, q), false);
  if (q != std::string::npos) httplib::detail::parse_query_text(target.substr(q + 1), req.params);

  RequestHead head;
  head.head_bytes = head_bytes;
  head.keep_alive = version == "HTTP/1.1";
  size_t lines = 0;
  int content_lengths = 0;
  for (p = line_end + 2; p < end; p = line_end + 2) {
    line_end = static_cast<const char*>(memmem(p, static_cast<size_t>(end - p) + 2, "\r\n", 2));
    if (++lines > max_header_lines) return refuse(431, "too many header lines");
    const char* colon = static_cast<const char*>(memchr(p, ':', static_cast<size_t>(line_end - p)));
    if (colon == nullptr || colon == p) return refuse(400, "bad header line");
    for (const char* c = p; c < colon; ++c)
      if (!is_token_char(*c)) return refuse(400, "bad header name");
    std::string name(p, colon);
    std::string value = trimmed(colon + 1, line_end);
    if (ci_equal(name, "Content-Length")) {
      // The framing must be one plain number: anything else could be read two ways.
      if (++content_lengths > 1 || value.empty() || value.size() > 18 ||
          value.find_first_not_of("0123456789") != std::string::npos)
        return refuse(400, "bad Content-Length");
      head.body_bytes = std::stoull(value);
    } else if (ci_equal(name, "Transfer-Encoding")) {
      return refuse(400, "request bodies must have a Content-Length");
    } else if (ci_equal(name, "Connection")) {
      if (strcasestr(value.c_str(), "close")) head.keep_alive = false;
    }
    req.headers.emplace(std::move(name), std::move(value));
  }
  if (head.body_bytes > max_request_body_bytes) return refuse(413, "request body too large");
  return head;
}

}  // namespace catalogue
