#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace repair {

// Whether a file carries an intact signature of a publisher this build trusts; on the
// program's side SignedByListedPublisher with PinnedPublishers().
using PublisherCheck = std::function<bool(const std::string& path)>;

// A file the program runs or copies with administrator rights needs the check's yes: a repair
// that was given no check refuses every file rather than trusting it by default.
inline bool PublisherVouches(const PublisherCheck& check, const std::string& path) {
  return check && check(path);
}

// Whether a file is exactly the one the signed catalogue names (its SHA-256, lower-case
// hexadecimal, and its size); on the program's side net::FileMatchesSignedDigest.
using SignedDigestCheck = std::function<bool(const std::string& path, const std::string& sha256, uint64_t size)>;

// A publisher whose signatures this build accepts: the signing certificate's common name, and
// the public keys of the roots its chains may end in, as the SHA-256 of each root's DER
// SubjectPublicKeyInfo in lowercase hex. A certificate of that name under any other root, even
// one whose root bears the same name, is not this publisher.
struct TrustedPublisher {
  std::string name;
  std::vector<std::string> rootKeys;
};

// This build's publishers (cmake/publishers.cmake): the vendors for a release, the test
// publisher as well for a build whose catalogue lives on this machine.
const std::vector<TrustedPublisher>& PinnedPublishers();

// Their common names alone, in the same order.
const std::vector<std::string>& TrustedPublishers();

// Whether a signer named name whose chain ends in a root with that key hash (lowercase hex) is
// one of the publishers. Names and keys compare exactly.
bool PublisherPinned(const std::vector<TrustedPublisher>& publishers, const std::string& name,
                     const std::string& rootKey);

// Lowercase hex of bytes.
std::string HexOf(const unsigned char* bytes, size_t size);

}  // namespace repair
