// signed_catalogue_bench [ENTRIES] [INSTALLER_MIB]: what checking the signed catalogue costs
// per load, beside the digests of one typical installer. Builds a document of ENTRIES runtime
// entries (default 60, about the size of a full catalogue), signs it, then times, as medians of
// many runs: the whole check (signature, parse, every entry read), covering one list of that
// many entries, and the MD5 and SHA-256 of an installer-sized file (default 14 MiB, the Visual
// C++ 2015-2022 x64 package).
#include <sodium.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "net/file_sha256.h"
#include "net/signed_catalogue.h"
#include "platform/md5.h"

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto started = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::string Entry(int id) {
  return R"({"status":1,"id":)" + std::to_string(id) + R"(,"downloadUrl":"https://catalogue.example.com/files/vendor/vc14/14.38.33135/vc_redist)" +
         std::to_string(id) +
         R"(.exe","fileName":"Microsoft Visual C++ 2015-2022 x64","regeditName":"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\VisualStudio\\14.0\\VC\\Runtimes\\x64","fileMd5":"0123456789abcdef0123456789abcdef","silentParam":"/install /quiet /norestart","minVersion":"14.38.33135","systemBit":1,"gameRepair":1,"fileSha256":"9e86efcf3d42ac32e23e5cea241845fa9b9e88cebdb88b79a194d59243945ef3","fileSize":25397512})";
}

std::string Same(const std::string& t) { return t; }

}  // namespace

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::atoi(argv[1]) : 60;
  const int installerMiB = argc > 2 ? std::atoi(argv[2]) : 14;
  if (sodium_init() < 0 || entries <= 0 || installerMiB <= 0) return 2;
  std::string list;
  for (int i = 1; i <= entries; ++i) list += (i > 1 ? "," : "") + Entry(i);
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  const std::string payload = R"({"format":"tessavane-catalogue","version":1,"expires":)" + std::to_string(now + 3600) +
                              R"(,"kfUrl":"","xyUrl":"","secretUrl":"","runtime":[)" + list + "]}";
  unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES], sig[crypto_sign_BYTES];
  crypto_sign_keypair(pk, sk);
  crypto_sign_detached(sig, nullptr, reinterpret_cast<const unsigned char*>(payload.data()), payload.size(), sk);
  char pkHex[65], sigHex[129];
  sodium_bin2hex(pkHex, sizeof pkHex, pk, sizeof pk);
  sodium_bin2hex(sigHex, sizeof sigHex, sig, sizeof sig);
  std::string b64(sodium_base64_ENCODED_LEN(payload.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
  sodium_bin2base64(&b64[0], b64.size(), reinterpret_cast<const unsigned char*>(payload.data()), payload.size(),
                    sodium_base64_VARIANT_ORIGINAL);
  b64.pop_back();
  const std::string document = std::string(R"({"format":"tessavane-signed-catalogue","payload":")") + b64 +
                               R"(","signatures":[{"publicKey":")" + pkHex + R"(","signature":")" + sigHex + R"("}]})";
  net::CataloguePublicKey key;
  std::copy(pk, pk + sizeof pk, key.begin());

  net::SignedCatalogue read;
  const double checkMs = MedianMs(51, [&] {
    if (net::ReadSignedCatalogue(document, {key}, now, 0, Same, read) != net::DocumentVerdict::kAccepted) std::abort();
  });
  const double verifyMs = MedianMs(51, [&] {
    if (crypto_sign_verify_detached(sig, reinterpret_cast<const unsigned char*>(payload.data()), payload.size(), pk) != 0)
      std::abort();
  });
  const double coverMs = MedianMs(51, [&] {
    for (const net::SignedEntry& e : read.entries) {
      net::CatalogueFile copy = e.file;
      if (!net::CoveredBy(read, e.kind, e.type, copy)) std::abort();
    }
  });

  const char* path = "signed_catalogue_bench.installer";
  {
    std::ofstream out(path, std::ios::binary);
    std::string block(1 << 20, '\0');
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + 7);
    for (int i = 0; i < installerMiB; ++i) out << block;
  }
  platform::FileMd5(path);  // warms the page cache for both digests
  const double md5Ms = MedianMs(5, [&] { platform::FileMd5(path); });
  std::string sha;
  uint64_t size = 0;
  const double shaMs = MedianMs(5, [&] { net::FileSha256AndSize(path, sha, size); });
  std::remove(path);

  std::printf("document: %d entries, %zu bytes\n", entries, document.size());
  std::printf("check per load (signature + parse): %.3f ms, of which the Ed25519 verify %.3f ms\n", checkMs, verifyMs);
  std::printf("covering %d list entries: %.3f ms\n", entries, coverMs);
  std::printf("installer of %d MiB: MD5 %.1f ms, SHA-256 %.1f ms\n", installerMiB, md5Ms, shaMs);
  return 0;
}
