// Request heads, Range headers and hosted paths come straight off the wire.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/entry_checks.h"
#include "http/byte_range.h"
#include "http/request_head.h"
#include "util/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  const uint64_t sizes[] = {0, 1, 4096, 536870912};
  for (uint64_t file_size : sizes) {
    catalogue::ByteRange r = catalogue::parse_byte_range(text, file_size);
    if (r.kind == catalogue::ByteRange::part && (r.first > r.last || r.last >= file_size)) __builtin_trap();
  }
  // A hosted path never names the folder itself, its parent, or anything through them.
  if (std::optional<std::string> rel = catalogue::hosted_relative_path(text)) {
    std::string padded = "/" + *rel + "/";
    if (padded.find("/../") != std::string::npos || padded.find("/./") != std::string::npos ||
        padded.find("//") != std::string::npos || rel->find('\\') != std::string::npos)
      __builtin_trap();
  }
  catalogue::is_valid_utf8(text);

  // A head is either refused or read within its own bytes, and never accepted past our limits.
  catalogue::incomplete_head_refusal(text.data(), text.size());
  if (size_t head_bytes = catalogue::request_head_length(text.data(), text.size())) {
    httplib::Request req;
    catalogue::RequestHead h = catalogue::parse_request_head(text.data(), head_bytes, req);
    if (h.refusal == 0 && (h.head_bytes != head_bytes || req.method.empty() || req.target.empty() ||
                           req.target[0] != '/' || req.headers.size() > catalogue::max_header_lines ||
                           h.body_bytes > catalogue::max_request_body_bytes))
      __builtin_trap();
  }
  return 0;
}
