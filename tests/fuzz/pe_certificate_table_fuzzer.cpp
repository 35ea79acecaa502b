// A PE file's headers and certificate table, and a certificate, as arbitrary bytes: the
// parsers must stay inside them, and call sound only a table that really ends the file with one
// DER sequence and zero padding.
#include <cstdint>
#include <cstdlib>

#include "repair/pe_certificate_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (repair::CertificateTableSound(repair::CheckCertificateTable(data, size))) {
    // Sound: the last bytes are zeros after a DER sequence, so the file cannot end in a
    // non-zero byte that is not the sequence's.
    if (size < 0x40 + 8) std::abort();
  }
  size_t offset = 0, length = 0;
  if (repair::SubjectPublicKeyInfoSpan(data, size, offset, length)) {
    if (offset >= size || length > size - offset || length < 2 || data[offset] != 0x30) std::abort();
  }
  const uint64_t sequence = repair::DerSequenceLength(data, size);
  if (sequence != 0 && (sequence < 2 || data[0] != 0x30)) std::abort();
  return 0;
}
