#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace catalogue {

// The operator's side of the signed catalogue. Each returns the process exit code: 0 done,
// 1 refused (with the reasons on `err`).

// Makes a new Ed25519 key pair: the private key into key_path (which must not exist), the
// public key printed, for the program's build (TESSA_CATALOGUE_KEYS) and the server's
// --catalogue-keys file.
int make_catalogue_key(const std::string& key_path, std::ostream& out, std::ostream& err);

struct SignRequest {
  std::vector<std::string> key_paths;  // one or two: the current key, and its successor while rotating
  int64_t version = 0;
  int64_t expires = 0;       // seconds since 1970, UTC
  std::string public_base;   // what "/files/..." addresses are made absolute under
  std::string files_dir;     // the hosted files, for their digests, sizes and SHA-256
};

// The signed document of an import file, or empty with the reasons on `err`. Every entry needs
// its file's SHA-256 and size: computed from the hosted copy, or given in the file.
std::string sign_catalogue_text(const std::string& import_text, const SignRequest& request, std::ostream& err);
int sign_catalogue_file(const std::string& import_path, const SignRequest& request, std::ostream& out,
                        std::ostream& err);

// Checks a signed document against the trusted public keys and replaces the catalogue with its
// entries, storing the document verbatim for the program. A document older than the stored one
// is refused unless allow_older.
int import_signed_document(const std::string& db_path, const std::string& document,
                           const std::vector<std::string>& trusted_keys, bool allow_older, std::ostream& out,
                           std::ostream& err);

}  // namespace catalogue
