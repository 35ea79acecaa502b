#pragma once
#include <string>
#include <vector>

#include "catalogue/entry.h"
#include "signing/ed25519_keys.h"

namespace catalogue {

// The signed catalogue document: {"format": "tessavane-signed-catalogue", "payload": BASE64,
// "signatures": [{"publicKey": HEX, "signature": HEX}]}. The payload is an import file (with
// absolute addresses) plus "format": "tessavane-catalogue", "version", "expires", and every
// entry's "fileSha256" and "fileSize"; each signature is Ed25519 over the payload's bytes.

// The payload of a catalogue whose entries all carry their SHA-256 and size. Addresses on this
// server ("/files/...") are made absolute under public_base, so that the program can compare
// them with the lists' addresses as they are.
std::string build_signed_payload(const Catalogue& catalogue, const SignedFacts& facts, const std::string& public_base);

std::string seal_signed_document(const std::string& payload, const std::vector<SigningKey>& keys);

// Whether the text is a signed document at all (rather than a plain import file).
bool is_signed_document(const std::string& text);

// The payload of a document signed by one of the trusted public keys; false with the reason.
bool open_signed_document(const std::string& document, const std::vector<std::string>& trusted_keys,
                          std::string& payload, std::string& error);

// The version and expiry a payload names; false when it names none.
bool read_signed_facts(const std::string& payload, SignedFacts& out);

}  // namespace catalogue
