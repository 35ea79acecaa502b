#include "cli/signing_commands.h"

#include <ctime>
#include <fstream>
#include <sstream>

#include "catalogue/catalogue_store.h"
#include "catalogue/entry_checks.h"
#include "catalogue/import_validator.h"
#include "cli/admin_commands.h"
#include "signing/signed_catalogue.h"
#include "util/digests.h"

namespace catalogue {
namespace {

// The MD5, SHA-256 and size of each entry's file: from the hosted copy where there is one
// (checked against what the file gives), else as the file gives them.
void fill_file_facts(ImportResult& r, const std::string& files_dir, std::vector<std::string>& errors) {
  for (size_t i = 0; i < r.catalogue.entries.size(); ++i) {
    Entry& e = r.catalogue.entries[i];
    const std::string where = "line " + std::to_string(r.lines[i]) + ": " + list_name(e.list) + " entry " +
                              std::to_string(e.id) + ": ";
    std::optional<std::string> rel = hosted_relative_path(e.md5From.empty() ? e.downloadUrl : e.md5From);
    const std::string path = rel && !files_dir.empty() ? files_dir + "/" + *rel : std::string();
    if (!path.empty() && is_regular_file(path)) {
      int64_t size = 0;
      const std::string md5 = md5_of_file(path);
      const std::string sha256 = sha256_of_file(path, size);
      if (md5.empty() || sha256.empty()) {
        errors.push_back(where + "cannot read " + path);
        continue;
      }
      if (!e.fileMd5.empty() && lower_ascii(e.fileMd5) != md5) errors.push_back(where + "\"fileMd5\" does not match " + path);
      if (!e.fileSha256.empty() && e.fileSha256 != sha256)
        errors.push_back(where + "\"fileSha256\" does not match " + path);
      if (e.fileSize != 0 && e.fileSize != size) errors.push_back(where + "\"fileSize\" does not match " + path);
      if (e.fileMd5.empty()) e.fileMd5 = md5;
      e.fileSha256 = sha256;
      e.fileSize = size;
    } else if (e.fileSha256.empty() || e.fileSize == 0) {
      errors.push_back(where + "no hosted file to take its SHA-256 and size from" +
                       (path.empty() ? std::string() : " (" + path + " is missing)") +
                       "; give \"fileSha256\" and \"fileSize\"");
    }
  }
}

bool read_text(const std::string& path, std::string& text, std::ostream& err) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    err << "cannot read " << path << "\n";
    return false;
  }
  std::stringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

std::string utc_text(int64_t when) {
  char text[32] = "?";
  std::time_t t = static_cast<std::time_t>(when);
  std::tm tm {};
  if (gmtime_r(&t, &tm)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &tm);
  return text;
}

}  // namespace

int make_catalogue_key(const std::string& key_path, std::ostream& out, std::ostream& err) {
  SigningKey key;
  std::string error;
  if (!generate_signing_key(key_path, key, error)) {
    err << error << "\n";
    return 1;
  }
  out << "private key written to " << key_path << " (keep it offline)\npublic key " << key.public_hex << "\n";
  return 0;
}

std::string sign_catalogue_text(const std::string& import_text, const SignRequest& request, std::ostream& err) {
  std::vector<std::string> errors;
  std::vector<SigningKey> keys;
  for (const std::string& path : request.key_paths) {
    SigningKey key;
    std::string error;
    if (!load_signing_key(path, key, error)) errors.push_back(error);
    else keys.push_back(key);
  }
  if (request.key_paths.empty()) errors.push_back("no signing key given (--key FILE)");
  if (request.version <= 0) errors.push_back("--version must be a positive number, above the last one signed");
  if (request.expires <= static_cast<int64_t>(std::time(nullptr))) errors.push_back("the expiry time is not in the future");
  ImportResult r = validate_import(import_text);
  errors.insert(errors.end(), r.errors.begin(), r.errors.end());
  if (r.ok()) fill_file_facts(r, request.files_dir, errors);
  bool relative = false;
  for (const Entry& e : r.catalogue.entries)
    relative = relative || (!e.downloadUrl.empty() && e.downloadUrl[0] == '/') || (!e.imgUrl.empty() && e.imgUrl[0] == '/');
  if (relative && request.public_base.empty())
    errors.push_back("entries name files on this server (\"/files/...\"): give --public-url, the address the program uses");
  if (!errors.empty()) {
    for (const std::string& e : errors) err << e << "\n";
    err << "nothing signed\n";
    return std::string();
  }
  SignedFacts facts{request.version, request.expires};
  std::string document = seal_signed_document(build_signed_payload(r.catalogue, facts, request.public_base), keys);
  if (document.empty()) err << "the signing failed\n";
  return document;
}

int sign_catalogue_file(const std::string& import_path, const SignRequest& request, std::ostream& out,
                        std::ostream& err) {
  std::string text;
  if (!read_text(import_path, text, err)) return 1;
  std::string document = sign_catalogue_text(text, request, err);
  if (document.empty()) return 1;
  out << document;
  return 0;
}

int import_signed_document(const std::string& db_path, const std::string& document,
                           const std::vector<std::string>& trusted_keys, bool allow_older, std::ostream& out,
                           std::ostream& err) {
  auto refuse = [&err](const std::string& why) {
    err << why << "\nimport refused; the catalogue is unchanged\n";
    return 1;
  };
  std::string payload, error;
  SignedFacts facts;
  if (trusted_keys.empty()) return refuse("a signed catalogue needs the public keys to check it against (--catalogue-keys FILE)");
  if (!open_signed_document(document, trusted_keys, payload, error)) return refuse(error);
  if (!read_signed_facts(payload, facts)) return refuse("the signed payload names no version and expiry");
  if (facts.expires <= static_cast<int64_t>(std::time(nullptr)))
    return refuse("the document expired at " + utc_text(facts.expires) + "; sign it again");
  ImportResult r = validate_import(payload);
  if (!r.ok()) {
    for (const std::string& e : r.errors) err << e << "\n";
    return refuse("the signed payload is not a valid catalogue");
  }
  std::unique_ptr<SqlConnection> db = open_store(db_path, err);
  if (!db) return 1;
  CatalogueStore store(*db);
  Catalogue stored;
  std::string stored_payload;
  SignedFacts stored_facts;
  if (!allow_older && store.load_all(stored) && !stored.signedDocument.empty() &&
      open_signed_document(stored.signedDocument, trusted_keys, stored_payload, error) &&
      read_signed_facts(stored_payload, stored_facts) && stored_facts.version > facts.version)
    return refuse("version " + std::to_string(facts.version) + " is older than the stored version " +
                  std::to_string(stored_facts.version) +
                  " (programs that saw the newer one refuse it); give --allow-older yes to go back anyway");
  r.catalogue.signedDocument = document;
  std::string problem = store.replace_all(r.catalogue);
  if (!problem.empty()) return refuse(problem);
  out << "imported signed catalogue version " << facts.version << " (expires " << utc_text(facts.expires) << "): "
      << r.catalogue.entries.size() << " entries\n";
  return 0;
}

}  // namespace catalogue
