#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace repair {

// What a PE file's certificate table (the security directory, where its Authenticode
// signature lives) holds, read without the OS. Authenticode's digest leaves the table out, so
// bytes put there after the signature ride along with a valid signature (the MS13-098 trick:
// an installer that reads a payload from its own signature). Windows refuses them only where
// EnableCertPaddingCheck is set; the publisher check refuses them everywhere.
enum class CertificateTable {
  kOneSignature,      // one PKCS#7 entry, then at most its zero alignment padding, at the file's end
  kNotPe,             // no MZ/PE headers, or headers truncated or inconsistent
  kUnsigned,          // a PE image without a certificate table
  kOutsideFile,       // the directory reaches past the file's end
  kMisplaced,         // the table is not 8-byte aligned, or lies inside the headers
  kTrailingData,      // the file goes on after the table
  kTooLarge,          // larger than any real signature (kMaxCertificateTable)
  kBadEntry,          // the WIN_CERTIFICATE's dwLength disagrees with the directory, or it is no
                      // Authenticode entry (revision 1.0/2.0, type PKCS_SIGNED_DATA)
  kNotDer,            // the entry's content is not one definite-length DER SEQUENCE that fits in it
  kBytesAfterSignature,  // bytes after the PKCS#7 blob beyond the alignment padding, or a
                         // non-zero padding byte
  kSecondEntry,       // a second WIN_CERTIFICATE after the first
};

// Whether the table is the one shape the publisher check accepts.
inline bool CertificateTableSound(CertificateTable table) { return table == CertificateTable::kOneSignature; }

// A few words on the verdict, for logs and test messages.
const char* CertificateTableText(CertificateTable table);

// Certificate tables larger than this are refused unread: a real one holds one signature and
// its certificates (tens of kilobytes).
constexpr uint32_t kMaxCertificateTable = 16u << 20;

// The bytes of a file, read at offsets, so that a large installer is not read whole.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Copies length bytes from offset into out; false when they are not all there.
  virtual bool Read(uint64_t offset, size_t length, uint8_t* out) const = 0;
};

// A byte source over memory the caller keeps alive.
class MemoryBytes : public ByteSource {
 public:
  MemoryBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool Read(uint64_t offset, size_t length, uint8_t* out) const override;

 private:
  const uint8_t* data_;
  size_t size_;
};

// Reads the PE headers (32- or 64-bit optional header), finds the security directory and
// judges the certificate table it names.
CertificateTable CheckCertificateTable(const ByteSource& file);
CertificateTable CheckCertificateTable(const uint8_t* data, size_t size);

// The length of the DER element (tag, length and content) at the start of bytes, when it is a
// SEQUENCE with a definite length of at most four length bytes; 0 otherwise. The length may
// exceed size: the caller compares.
uint64_t DerSequenceLength(const uint8_t* bytes, size_t size);

// The DER SubjectPublicKeyInfo of an X.509 certificate (the seventh member of its
// TBSCertificate, or the sixth where the version is left out), as a span of certificate:
// offset and length. False when the certificate does not parse that far.
bool SubjectPublicKeyInfoSpan(const uint8_t* certificate, size_t size, size_t& offset, size_t& length);

}  // namespace repair
