#include "http/response_head.h"

namespace catalogue {
namespace {

const char* reason_phrase(int status) {
  switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 410: return "Gone";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 416: return "Range Not Satisfiable";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return status < 400 ? "OK" : "Error";
  }
}

}  // namespace

bool status_has_body(int status) { return status >= 200 && status != 204 && status != 304; }

std::string response_head(const httplib::Response& res, uint64_t body_bytes, bool keep_alive) {
  std::string head;
  head.reserve(256);
  head += "HTTP/1.1 ";
  head += std::to_string(res.status);
  head += ' ';
  head += reason_phrase(res.status);
  head += "\r\n";
  for (const auto& [name, value] : res.headers) {
    head += name;
    head += ": ";
    head += value;
    head += "\r\n";
  }
  if (status_has_body(res.status)) {
    head += "Content-Length: ";
    head += std::to_string(body_bytes);
    head += "\r\n";
  }
  head += keep_alive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
  return head;
}

}  // namespace catalogue
