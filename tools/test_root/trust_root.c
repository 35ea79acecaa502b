/* Puts a DER certificate into the machine's Root store of the Wine prefix it runs in, so that
 * the test publisher's signatures lead to a trusted root there as the vendors' do on Windows.
 * Only ever run in throwaway test prefixes and the demo's own prefix.
 * Usage: trust_root.exe CERT.der    Exit code 0 when the certificate is (now) in the store. */
#include <windows.h>
#include <wincrypt.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: trust_root CERT.der\n");
    return 2;
  }
  FILE* file = fopen(argv[1], "rb");
  if (!file) {
    fprintf(stderr, "trust_root: cannot read %s\n", argv[1]);
    return 1;
  }
  static BYTE der[64 * 1024];
  size_t size = fread(der, 1, sizeof der, file);
  fclose(file);
  HCERTSTORE root = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "Root");
  if (!root) {
    fprintf(stderr, "trust_root: cannot open the machine's Root store (%lu)\n", GetLastError());
    return 1;
  }
  BOOL added = CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der, (DWORD)size,
                                                CERT_STORE_ADD_USE_EXISTING, NULL);
  if (!added) fprintf(stderr, "trust_root: the certificate was not added (%lu)\n", GetLastError());
  CertCloseStore(root, 0);
  return added ? 0 : 1;
}
