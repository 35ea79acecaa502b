#pragma once
#include <string>

#include "http/router.h"

namespace catalogue {

// Serves the files folder under /files/: HEAD, single byte ranges, ETag and Last-Modified,
// streamed from disk so that a large installer never sits in memory.
void register_file_routes(Router& routes, const std::string& files_root);

// Content type by file extension; the program only cares that installers arrive as bytes.
std::string content_type_for(const std::string& path);
std::string http_date(int64_t seconds_since_epoch);

}  // namespace catalogue
