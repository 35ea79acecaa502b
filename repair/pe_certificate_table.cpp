#include "repair/pe_certificate_table.h"

#include <cstring>

namespace repair {

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

constexpr uint16_t kPe32 = 0x10b;
constexpr uint16_t kPe32Plus = 0x20b;
constexpr uint32_t kSecurityDirectory = 4;  // IMAGE_DIRECTORY_ENTRY_SECURITY
constexpr uint16_t kRevision1 = 0x0100;     // WIN_CERT_REVISION_1_0, old Authenticode
constexpr uint16_t kRevision2 = 0x0200;     // WIN_CERT_REVISION_2_0
constexpr uint16_t kPkcsSignedData = 0x0002;  // WIN_CERT_TYPE_PKCS_SIGNED_DATA
constexpr uint32_t kEntryHeader = 8;          // dwLength, wRevision, wCertificateType

uint64_t RoundUp8(uint64_t n) { return (n + 7) & ~uint64_t{7}; }

// One DER element's header at bytes: its tag, and where its content starts and how long it is.
// Single-byte tags and definite lengths of up to four bytes only.
struct DerElement {
  uint8_t tag = 0;
  size_t header = 0;
  uint64_t content = 0;
};

bool ReadDerHeader(const uint8_t* bytes, size_t size, DerElement& element) {
  if (size < 2 || (bytes[0] & 0x1f) == 0x1f) return false;
  element.tag = bytes[0];
  const uint8_t first = bytes[1];
  if (first < 0x80) {
    element.header = 2;
    element.content = first;
    return true;
  }
  const size_t count = first & 0x7f;
  if (count == 0 || count > 4 || size < 2 + count) return false;  // indefinite, or too long
  uint64_t length = 0;
  for (size_t i = 0; i < count; ++i) length = length << 8 | bytes[2 + i];
  element.header = 2 + count;
  element.content = length;
  return true;
}

// The element at bytes[at], which must lie whole within size.
bool ElementAt(const uint8_t* bytes, size_t size, size_t at, DerElement& element) {
  return at < size && ReadDerHeader(bytes + at, size - at, element) &&
         element.content <= size - at - element.header;
}

}  // namespace

const char* CertificateTableText(CertificateTable table) {
  switch (table) {
    case CertificateTable::kOneSignature: return "one signature";
    case CertificateTable::kNotPe: return "not a PE image";
    case CertificateTable::kUnsigned: return "no certificate table";
    case CertificateTable::kOutsideFile: return "certificate table past the file's end";
    case CertificateTable::kMisplaced: return "certificate table misaligned or inside the headers";
    case CertificateTable::kTrailingData: return "bytes after the certificate table";
    case CertificateTable::kTooLarge: return "certificate table too large";
    case CertificateTable::kBadEntry: return "certificate entry inconsistent";
    case CertificateTable::kNotDer: return "signature not one DER sequence";
    case CertificateTable::kBytesAfterSignature: return "bytes after the signature";
    case CertificateTable::kSecondEntry: return "more than one certificate entry";
  }
  return "unknown";
}

bool MemoryBytes::Read(uint64_t offset, size_t length, uint8_t* out) const {
  if (offset > size_ || length > size_ - offset) return false;
  if (length) std::memcpy(out, data_ + offset, length);
  return true;
}

uint64_t DerSequenceLength(const uint8_t* bytes, size_t size) {
  DerElement element;
  if (!ReadDerHeader(bytes, size, element) || element.tag != 0x30) return 0;
  return element.header + element.content;
}

CertificateTable CheckCertificateTable(const ByteSource& file) {
  const uint64_t fileSize = file.Size();
  uint8_t dos[0x40];
  if (!file.Read(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z') return CertificateTable::kNotPe;
  const uint64_t pe = U32(dos + 0x3c);
  // The signature and the COFF file header: Machine, NumberOfSections, ..., SizeOfOptionalHeader.
  uint8_t coff[24];
  if (!file.Read(pe, sizeof coff, coff) || std::memcmp(coff, "PE\0\0", 4) != 0) return CertificateTable::kNotPe;
  const uint16_t sections = U16(coff + 6);
  const uint16_t optionalSize = U16(coff + 20);
  const uint64_t optional = pe + sizeof coff;
  if (optionalSize < 2) return CertificateTable::kNotPe;
  std::vector<uint8_t> header(optionalSize);
  if (!file.Read(optional, header.size(), header.data())) return CertificateTable::kNotPe;
  // Where NumberOfRvaAndSizes and the data directories are.
  size_t countAt = 0;
  switch (U16(header.data())) {
    case kPe32: countAt = 92; break;
    case kPe32Plus: countAt = 108; break;
    default: return CertificateTable::kNotPe;
  }
  if (header.size() < countAt + 4) return CertificateTable::kNotPe;
  const uint32_t directories = U32(header.data() + countAt);
  if (directories <= kSecurityDirectory) return CertificateTable::kUnsigned;
  const size_t entryAt = countAt + 4 + 8 * kSecurityDirectory;
  if (header.size() < entryAt + 8) return CertificateTable::kNotPe;
  // The security directory's "virtual address" is a file offset.
  const uint64_t tableAt = U32(header.data() + entryAt);
  const uint64_t tableSize = U32(header.data() + entryAt + 4);
  if (tableAt == 0 && tableSize == 0) return CertificateTable::kUnsigned;
  const uint64_t headersEnd = optional + optionalSize + uint64_t{40} * sections;
  if (tableAt < headersEnd || tableAt % 8 != 0) return CertificateTable::kMisplaced;
  if (tableAt > fileSize || tableSize > fileSize - tableAt) return CertificateTable::kOutsideFile;
  if (tableAt + tableSize != fileSize) return CertificateTable::kTrailingData;
  if (tableSize > kMaxCertificateTable) return CertificateTable::kTooLarge;
  if (tableSize < kEntryHeader) return CertificateTable::kBadEntry;

  std::vector<uint8_t> table(static_cast<size_t>(tableSize));
  if (!file.Read(tableAt, table.size(), table.data())) return CertificateTable::kOutsideFile;
  const uint64_t entryLength = U32(table.data());
  const uint16_t revision = U16(table.data() + 4);
  const uint16_t type = U16(table.data() + 6);
  if (entryLength < kEntryHeader || entryLength > tableSize) return CertificateTable::kBadEntry;
  if ((revision != kRevision1 && revision != kRevision2) || type != kPkcsSignedData)
    return CertificateTable::kBadEntry;
  // The signed data: one DER SEQUENCE (a PKCS#7 ContentInfo) that fits in the entry.
  const uint8_t* content = table.data() + kEntryHeader;
  const size_t contentSize = static_cast<size_t>(entryLength - kEntryHeader);
  const uint64_t signatureLength = DerSequenceLength(content, contentSize);
  if (signatureLength == 0 || signatureLength > contentSize) return CertificateTable::kNotDer;
  // After it, up to the table's end: the padding to the next multiple of 8, and nothing else.
  const uint64_t signatureEnd = kEntryHeader + signatureLength;
  if (tableSize > RoundUp8(signatureEnd)) {
    // Room for more than padding: a second entry, or data put in the first.
    const uint64_t next = RoundUp8(entryLength);
    if (entryLength <= signatureEnd + 7 && next + kEntryHeader <= tableSize) {
      const uint64_t nextLength = U32(table.data() + next);
      const uint16_t nextType = U16(table.data() + next + 6);
      if (nextLength >= kEntryHeader && nextLength <= tableSize - next && nextType != 0)
        return CertificateTable::kSecondEntry;
    }
    return CertificateTable::kBytesAfterSignature;
  }
  for (uint64_t i = signatureEnd; i < tableSize; ++i)
    if (table[static_cast<size_t>(i)] != 0) return CertificateTable::kBytesAfterSignature;
  return CertificateTable::kOneSignature;
}

CertificateTable CheckCertificateTable(const uint8_t* data, size_t size) {
  return CheckCertificateTable(MemoryBytes(data, size));
}

bool SubjectPublicKeyInfoSpan(const uint8_t* certificate, size_t size, size_t& offset, size_t& length) {
  // Certificate ::= SEQUENCE { tbsCertificate TBSCertificate, ... }
  DerElement outer, tbs, member;
  if (!ElementAt(certificate, size, 0, outer) || outer.tag != 0x30) return false;
  const size_t tbsAt = outer.header;
  if (!ElementAt(certificate, size, tbsAt, tbs) || tbs.tag != 0x30) return false;
  const size_t tbsEnd = tbsAt + tbs.header + static_cast<size_t>(tbs.content);
  size_t at = tbsAt + tbs.header;
  // [0] version (optional), serialNumber, signature, issuer, validity, subject, then the key.
  if (!ElementAt(certificate, tbsEnd, at, member)) return false;
  if (member.tag == 0xa0) at += member.header + static_cast<size_t>(member.content);
  static const uint8_t kBefore[] = {0x02, 0x30, 0x30, 0x30, 0x30};  // INTEGER, then SEQUENCEs
  for (uint8_t tag : kBefore) {
    if (!ElementAt(certificate, tbsEnd, at, member) || member.tag != tag) return false;
    at += member.header + static_cast<size_t>(member.content);
  }
  if (!ElementAt(certificate, tbsEnd, at, member) || member.tag != 0x30) return false;
  offset = at;
  length = member.header + static_cast<size_t>(member.content);
  return true;
}

}  // namespace repair
