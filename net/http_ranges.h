#pragma once
#include <string>

// What a server says about a range request, and what a resumed request sends. No windows.h:
// built natively too.
namespace net {

// The first byte of a Content-Range value "bytes A-B/N", or -1 for anything else.
long long ContentRangeStart(const std::string& value);
// The whole length N of "bytes A-B/N" or "bytes */N", or -1 when it is unknown or malformed.
long long ContentRangeLength(const std::string& value);

// What vouches that the bytes on disk are the start of the file the server has now, sent as
// If-Range when the transfer resumes: the ETag when it is a strong one, else Last-Modified;
// empty when the server gave neither (a weak ETag says nothing about the bytes).
std::string ResumeValidator(const std::string& etag, const std::string& lastModified);

}  // namespace net
