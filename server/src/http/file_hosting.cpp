#include "http/file_hosting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "catalogue/entry_checks.h"
#include "http/byte_range.h"
#include "http/etag_match.h"
#include "http/reply.h"

namespace catalogue {
namespace {

std::string etag_for(const struct stat& st) {
  char buf[64];
  snprintf(buf, sizeof buf, "\"%llx-%llx\"", static_cast<unsigned long long>(st.st_size),
           static_cast<unsigned long long>(st.st_mtim.tv_sec) * 1000000000ull +
               static_cast<unsigned long long>(st.st_mtim.tv_nsec));
  return buf;
}

// An If-Range that names another version of the file means the client's partial copy is stale,
// so it must get the whole file rather than a piece of the new one.
bool if_range_allows(const httplib::Request& req, const std::string& etag, const std::string& modified) {
  if (!req.has_header("If-Range")) return true;
  std::string v = req.get_header_value("If-Range");
  return v == etag || v == modified;
}

void serve(const std::string& root, const httplib::Request& req, httplib::Response& res, FileBody& file) {
  std::optional<std::string> rel = hosted_relative_path(req.path);
  if (!rel) return set_error(res, 404, "no such file");
  file.fd = open((root + "/" + *rel).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  struct stat st {};
  if (file.fd < 0 || fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) return set_error(res, 404, "no such file");

  const uint64_t size = static_cast<uint64_t>(st.st_size);
  const std::string etag = etag_for(st);
  const std::string modified = http_date(st.st_mtim.tv_sec);
  res.set_header("ETag", etag);
  res.set_header("Last-Modified", modified);
  res.set_header("Accept-Ranges", "bytes");
  if (req.has_header("If-None-Match") && if_none_match_names(req.get_header_value("If-None-Match"), etag)) {
    res.status = 304;
    return;
  }
  ByteRange range;
  if (req.has_header("Range") && if_range_allows(req, etag, modified))
    range = parse_byte_range(req.get_header_value("Range"), size);
  if (range.kind == ByteRange::unsatisfiable) {
    res.set_header("Content-Range", "bytes */" + std::to_string(size));
    return set_error(res, 416, "range not satisfiable");
  }
  uint64_t first = 0, length = size;
  if (range.kind == ByteRange::part) {
    first = range.first;
    length = range.last - range.first + 1;
    res.status = 206;
    res.set_header("Content-Range", "bytes " + std::to_string(range.first) + "-" + std::to_string(range.last) +
                                        "/" + std::to_string(size));
  } else {
    res.status = 200;
  }
  res.set_header("Content-Type", content_type_for(*rel));
  // Streamed from the file by the connection: a large installer never sits in memory.
  file.offset = first;
  file.length = length;
}

}  // namespace

std::string content_type_for(const std::string& path) {
  size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  if (ext == "png") return "image/png";
  if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
  if (ext == "gif") return "image/gif";
  if (ext == "html" || ext == "htm") return "text/html; charset=utf-8";
  if (ext == "json") return "application/json";
  if (ext == "txt") return "text/plain; charset=utf-8";
  return "application/octet-stream";
}

std::string http_date(int64_t seconds) {
  time_t t = static_cast<time_t>(seconds);
  struct tm tm {};
  gmtime_r(&t, &tm);
  char buf[64];
  strftime(buf, sizeof buf, "%a, %d %b %Y %H:%M:%S GMT", &tm);
  return buf;
}

void register_file_routes(Router& routes, const std::string& files_root) {
  routes.pattern(R"(/files/.+)", [files_root](const httplib::Request& req, httplib::Response& res, FileBody& file) {
    serve(files_root, req, res, file);
  });
}

}  // namespace catalogue
