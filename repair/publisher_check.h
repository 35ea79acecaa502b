#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace repair {

// Whether a file carries an intact signature of a publisher this build trusts; on the
// program's side SignedByListedPublisher with TrustedPublishers().
using PublisherCheck = std::function<bool(const std::string& path)>;

// A file the program runs or copies with administrator rights needs the check's yes: a repair
// that was given no check refuses every file rather than trusting it by default.
inline bool PublisherVouches(const PublisherCheck& check, const std::string& path) {
  return check && check(path);
}

// Whether a file is exactly the one the signed catalogue names (its SHA-256, lower-case
// hexadecimal, and its size); on the program's side net::FileMatchesSignedDigest.
using SignedDigestCheck = std::function<bool(const std::string& path, const std::string& sha256, uint64_t size)>;

// The publishers whose signatures this build accepts, as their certificates' common names
// (chosen when the program is built: the vendors for a release, the test publisher as well
// for a build whose catalogue lives on this machine).
const std::vector<std::string>& TrustedPublishers();

}  // namespace repair
