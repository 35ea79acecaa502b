#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue_rules/catalogue_records.h"
#include "net/catalogue_parser.h"

// The operator's signed catalogue document: the one thing that says which entries the program
// may act on. The lists the server sends say what is shown; an entry of a list is used only
// when the document carries the same entry, member for member, and the document was signed by
// a key this build embeds, has not expired and is not older than one this PC has accepted.
//
// The document is JSON: {"format": "tessavane-signed-catalogue", "payload": BASE64,
// "signatures": [{"publicKey": HEX, "signature": HEX}, ...]}, where each signature is Ed25519
// over the payload's bytes, and the payload is the catalogue as an import file with "version",
// "expires" (seconds since 1970, UTC) and for every entry "fileSha256" and "fileSize".
namespace net {

using CataloguePublicKey = std::array<unsigned char, 32>;

// Reads a key written as 64 hexadecimal digits; false for anything else.
bool ParseCataloguePublicKey(const std::string& hex, CataloguePublicKey& key);

enum class DocumentVerdict {
  kAccepted,
  kMissing,       // the server has no document (it answered with something else)
  kMalformed,     // not a document, or a payload of the wrong shape
  kUnknownKey,    // no signature by a key this build embeds
  kBadSignature,  // signed by an embedded key, but the bytes are not what it signed
  kExpired,
  kRolledBack,    // older than the newest version this PC has accepted
};

struct SignedEntry {
  int kind = 0;   // kCommonFiles, kRuntimeFiles, kDirectXFiles or kSystemFiles
  int type = -1;  // the common list's sub-list
  CatalogueFile file;
};

struct SignedCatalogue {
  uint64_t version = 0;
  int64_t expires = 0;
  std::string kfUrl;
  std::string xyUrl;
  std::string secretUrl;
  std::vector<SignedEntry> entries;

  const SignedEntry* Find(int kind, int id) const;
};

// Checks a document against the embedded keys, the time now (seconds since 1970) and the
// newest version accepted before, and reads its payload. `out` is written only on kAccepted.
// Entries that the program would leave out of a list (an unusable path, a switch outside the
// vocabulary) are left out here too, and never vouch for anything.
DocumentVerdict ReadSignedCatalogue(const std::string& document, const std::vector<CataloguePublicKey>& keys,
                                    int64_t now, uint64_t newestAccepted, const DisplayTextConverter& convert,
                                    SignedCatalogue& out);

// Whether the document carries this entry of a list (kind, and for the common list its type)
// with every member the program acts on unchanged. On yes the entry gets the document's
// SHA-256 and size of its file.
bool CoveredBy(const SignedCatalogue& document, int kind, int type, CatalogueFile& entry);

}  // namespace net
