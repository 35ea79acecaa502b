#include "repair/pe_certificate_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "repair/publisher_check.h"

namespace {

using repair::CertificateTable;
using Bytes = std::vector<uint8_t>;

// Little-endian writes and appends, bounds-checked (which also keeps GCC 12's object-size
// warnings from misfiring on the inlined vector code).
void Put16(Bytes& b, size_t at, uint16_t v) {
  if (at + 2 > b.size()) throw std::out_of_range("Put16");
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  if (at + 4 > b.size()) throw std::out_of_range("Put32");
  for (size_t i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}
void Append(Bytes& to, const Bytes& from) {
  const size_t old = to.size();
  to.resize(old + from.size());
  for (size_t i = 0; i < from.size(); ++i) to[old + i] = from[i];
}

// A DER SEQUENCE of n content bytes (long form, two length bytes).
Bytes Sequence(size_t n) {
  Bytes der = {0x30, 0x82, uint8_t(n >> 8), uint8_t(n)};
  for (size_t i = 0; i < n; ++i) der.push_back(uint8_t(0x41 + i % 26));
  return der;
}

// A WIN_CERTIFICATE holding der, dwLength covering the padding to 8 unless told otherwise.
Bytes Entry(const Bytes& der, bool lengthCoversPadding = true, uint16_t revision = 0x0200, uint16_t type = 2) {
  Bytes entry(8);
  Append(entry, der);
  const size_t unpadded = entry.size();
  while (entry.size() % 8) entry.push_back(0);
  Put32(entry, 0, uint32_t(lengthCoversPadding ? entry.size() : unpadded));
  Put16(entry, 4, revision);
  Put16(entry, 6, type);
  return entry;
}

constexpr size_t kPeAt = 0x80;
constexpr size_t kTableAt = 0x400;

// The offset of the security directory entry in an image made by Image.
size_t SecurityEntryAt(bool pe64) { return kPeAt + 24 + (pe64 ? 112 : 96) + 8 * 4; }

// A minimal PE image (one section, 16 data directories) with table as its certificate table,
// at 0x400 and at the file's end.
Bytes Image(const Bytes& table, bool pe64 = false) {
  const uint16_t optionalSize = pe64 ? 0xf0 : 0xe0;
  Bytes image(kTableAt, 0);
  image[0] = 'M';
  image[1] = 'Z';
  Put32(image, 0x3c, kPeAt);
  image[kPeAt] = 'P';
  image[kPeAt + 1] = 'E';
  Put16(image, kPeAt + 4, pe64 ? 0x8664 : 0x14c);
  Put16(image, kPeAt + 6, 1);  // NumberOfSections
  Put16(image, kPeAt + 20, optionalSize);
  const size_t optional = kPeAt + 24;
  Put16(image, optional, pe64 ? 0x20b : 0x10b);
  Put32(image, optional + (pe64 ? 108 : 92), 16);  // NumberOfRvaAndSizes
  if (!table.empty()) {
    Put32(image, SecurityEntryAt(pe64), kTableAt);
    Put32(image, SecurityEntryAt(pe64) + 4, uint32_t(table.size()));
  }
  Append(image, table);
  return image;
}

CertificateTable Check(const Bytes& image) { return repair::CheckCertificateTable(image.data(), image.size()); }

const Bytes kSignature = Sequence(1000);  // 1004 bytes: 1012 with the header, padded to 1016

TEST(CertificateTable, OneSignatureWithItsPaddingIsSound) {
  EXPECT_EQ(Check(Image(Entry(kSignature))), CertificateTable::kOneSignature);
  EXPECT_EQ(Check(Image(Entry(kSignature), true)), CertificateTable::kOneSignature);
  // dwLength without the padding, the directory with it; and a signature that needs none.
  EXPECT_EQ(Check(Image(Entry(kSignature, false))), CertificateTable::kOneSignature);
  EXPECT_EQ(Check(Image(Entry(Sequence(1004)))), CertificateTable::kOneSignature);
  // The old revision, which old Authenticode signatures carry.
  EXPECT_EQ(Check(Image(Entry(kSignature, true, 0x0100))), CertificateTable::kOneSignature);
  // Short-form length.
  EXPECT_EQ(Check(Image(Entry(Bytes{0x30, 0x03, 1, 2, 3}))), CertificateTable::kOneSignature);
}

TEST(CertificateTable, BytesAfterTheSignatureAreRefused) {
  // The MS13-098 trick: data appended inside the entry, dwLength and the directory grown.
  Bytes padded = Entry(kSignature);
  padded.insert(padded.end(), {'P', 'A', 'Y', 'L', 'O', 'A', 'D', '!'});
  Put32(padded, 0, uint32_t(padded.size()));
  EXPECT_EQ(Check(Image(padded)), CertificateTable::kBytesAfterSignature);
  EXPECT_EQ(Check(Image(padded, true)), CertificateTable::kBytesAfterSignature);
  // Zero bytes too, once they are more than the alignment needs.
  Bytes zeros = Entry(kSignature);
  zeros.insert(zeros.end(), 16, 0);
  Put32(zeros, 0, uint32_t(zeros.size()));
  EXPECT_EQ(Check(Image(zeros)), CertificateTable::kBytesAfterSignature);
  // Grown directory, dwLength left alone.
  Bytes beyond = Entry(kSignature);
  beyond.insert(beyond.end(), 8, 0x55);
  EXPECT_EQ(Check(Image(beyond)), CertificateTable::kBytesAfterSignature);
  // A padding byte that is not zero.
  Bytes dirty = Entry(kSignature);
  dirty.back() = 1;
  EXPECT_EQ(Check(Image(dirty)), CertificateTable::kBytesAfterSignature);
  Bytes dirtyUnpadded = Entry(kSignature, false);
  dirtyUnpadded.back() = 0x80;
  EXPECT_EQ(Check(Image(dirtyUnpadded)), CertificateTable::kBytesAfterSignature);
}

TEST(CertificateTable, ASecondEntryIsRefused) {
  Bytes two = Entry(kSignature);
  const Bytes second = Entry(Sequence(40));
  Append(two, second);
  EXPECT_EQ(Check(Image(two)), CertificateTable::kSecondEntry);
  Bytes twoUnpadded = Entry(kSignature, false);
  Append(twoUnpadded, second);
  EXPECT_EQ(Check(Image(twoUnpadded, true)), CertificateTable::kSecondEntry);
}

TEST(CertificateTable, AnImageWithoutATableIsUnsigned) {
  EXPECT_EQ(Check(Image({})), CertificateTable::kUnsigned);
  EXPECT_EQ(Check(Image({}, true)), CertificateTable::kUnsigned);
  // Too few data directories to have a security directory at all.
  Bytes few = Image(Entry(kSignature));
  Put32(few, kPeAt + 24 + 92, 4);
  EXPECT_EQ(Check(few), CertificateTable::kUnsigned);
}

TEST(CertificateTable, BrokenHeadersAreNotPe) {
  const Bytes good = Image(Entry(kSignature));
  EXPECT_EQ(Check({}), CertificateTable::kNotPe);
  EXPECT_EQ(Check(Bytes(good.begin(), good.begin() + 0x3f)), CertificateTable::kNotPe);
  Bytes noMz = good;
  noMz[1] = 'X';
  EXPECT_EQ(Check(noMz), CertificateTable::kNotPe);
  Bytes farPe = good;
  Put32(farPe, 0x3c, 0xfffffff0u);
  EXPECT_EQ(Check(farPe), CertificateTable::kNotPe);
  Bytes noPe = good;
  noPe[kPeAt + 2] = 1;
  EXPECT_EQ(Check(noPe), CertificateTable::kNotPe);
  // Cut inside the COFF header and inside the optional header.
  EXPECT_EQ(Check(Bytes(good.begin(), good.begin() + kPeAt + 10)), CertificateTable::kNotPe);
  EXPECT_EQ(Check(Bytes(good.begin(), good.begin() + kPeAt + 24 + 50)), CertificateTable::kNotPe);
  Bytes magic = good;
  Put16(magic, kPeAt + 24, 0x107);  // a ROM image
  EXPECT_EQ(Check(magic), CertificateTable::kNotPe);
  // An optional header too short for the count, or for the security directory it claims.
  Bytes tiny = good;
  Put16(tiny, kPeAt + 20, 1);
  EXPECT_EQ(Check(tiny), CertificateTable::kNotPe);
  Bytes shortHeader = good;
  Put16(shortHeader, kPeAt + 20, 96 + 8 * 4);
  EXPECT_EQ(Check(shortHeader), CertificateTable::kNotPe);
  // PE32+ read with the PE32 layout would find the wrong directory: the magic decides.
  Bytes wrongMagic = Image(Entry(kSignature), true);
  Put16(wrongMagic, kPeAt + 24, 0x10b);
  EXPECT_NE(Check(wrongMagic), CertificateTable::kOneSignature);
}

TEST(CertificateTable, ADirectoryOutsideTheFileOrMisplacedIsRefused) {
  const Bytes entry = Entry(kSignature);
  Bytes tooLong = Image(entry);
  Put32(tooLong, SecurityEntryAt(false) + 4, uint32_t(entry.size() + 8));
  EXPECT_EQ(Check(tooLong), CertificateTable::kOutsideFile);
  Bytes pastEnd = Image(entry);
  Put32(pastEnd, SecurityEntryAt(false), 0x7ffffff8u);
  EXPECT_EQ(Check(pastEnd), CertificateTable::kOutsideFile);
  Bytes wraps = Image(entry);
  Put32(wraps, SecurityEntryAt(false), 0xfffffff8u);
  Put32(wraps, SecurityEntryAt(false) + 4, 0x10);
  EXPECT_EQ(Check(wraps), CertificateTable::kOutsideFile);
  Bytes misaligned = Image(entry);
  Put32(misaligned, SecurityEntryAt(false), kTableAt + 4);
  Put32(misaligned, SecurityEntryAt(false) + 4, uint32_t(entry.size() - 4));
  EXPECT_EQ(Check(misaligned), CertificateTable::kMisplaced);
  Bytes inHeaders = Image(entry);
  Put32(inHeaders, SecurityEntryAt(false), 0x40);
  EXPECT_EQ(Check(inHeaders), CertificateTable::kMisplaced);
  Bytes sizeOnly = Image(entry);
  Put32(sizeOnly, SecurityEntryAt(false), 0);
  EXPECT_EQ(Check(sizeOnly), CertificateTable::kMisplaced);
  // The file going on after the table: bytes the signature does not cover.
  Bytes trailing = Image(entry);
  trailing.insert(trailing.end(), 8, 0);
  EXPECT_EQ(Check(trailing), CertificateTable::kTrailingData);
}

TEST(CertificateTable, EveryCutOfASoundImageIsRefused) {
  for (bool pe64 : {false, true}) {
    const Bytes good = Image(Entry(kSignature), pe64);
    for (size_t size = 0; size < good.size(); ++size)
      EXPECT_NE(repair::CheckCertificateTable(good.data(), size), CertificateTable::kOneSignature) << size;
  }
}

TEST(CertificateTable, AnInconsistentEntryIsRefused) {
  const Bytes good = Entry(kSignature);
  Bytes longer = good;
  Put32(longer, 0, uint32_t(good.size() + 8));
  EXPECT_EQ(Check(Image(longer)), CertificateTable::kBadEntry);
  for (uint32_t length : {0u, 7u}) {
    Bytes shorter = good;
    Put32(shorter, 0, length);
    EXPECT_EQ(Check(Image(shorter)), CertificateTable::kBadEntry) << length;
  }
  EXPECT_EQ(Check(Image(Entry(kSignature, true, 0x0300))), CertificateTable::kBadEntry);
  EXPECT_EQ(Check(Image(Entry(kSignature, true, 0x0200, 1))), CertificateTable::kBadEntry);  // X.509
  EXPECT_EQ(Check(Image(Bytes{4, 0, 0, 0})), CertificateTable::kBadEntry);  // directory < header
}

TEST(CertificateTable, TheEntryMustHoldOneDerSequence) {
  Bytes notSequence = Entry(kSignature);
  notSequence[8] = 0x31;  // a SET
  EXPECT_EQ(Check(Image(notSequence)), CertificateTable::kNotDer);
  Bytes indefinite = Entry(kSignature);
  indefinite[9] = 0x80;
  EXPECT_EQ(Check(Image(indefinite)), CertificateTable::kNotDer);
  // The DER length says more than dwLength holds, by a little and by a lot.
  Bytes longer = Entry(kSignature);
  longer[11] = uint8_t(longer[11] + 12);
  EXPECT_EQ(Check(Image(longer)), CertificateTable::kNotDer);
  Bytes huge = Entry(kSignature);
  huge[9] = 0x84;
  EXPECT_EQ(Check(Image(huge)), CertificateTable::kNotDer);
  // The DER length says less: the rest is bytes after the signature.
  Bytes shorter = Entry(kSignature);
  shorter[11] = uint8_t(shorter[11] - 16);
  EXPECT_EQ(Check(Image(shorter)), CertificateTable::kBytesAfterSignature);
  EXPECT_EQ(Check(Image(Entry(Bytes{0x30}, false))), CertificateTable::kNotDer);
}

// A file far larger than memory: only the parts the parser asks for exist.
class HugeFile : public repair::ByteSource {
 public:
  HugeFile(Bytes head, uint64_t size) : head_(std::move(head)), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool Read(uint64_t offset, size_t length, uint8_t* out) const override {
    if (offset + length > head_.size()) {
      ++readsPastHead;
      return false;
    }
    std::copy(head_.begin() + offset, head_.begin() + offset + length, out);
    return true;
  }
  mutable int readsPastHead = 0;

 private:
  Bytes head_;
  uint64_t size_;
};

TEST(CertificateTable, AHugeTableIsRefusedUnread) {
  Bytes head = Image({});
  const uint32_t size = 0x40000000u;
  Put32(head, SecurityEntryAt(false), kTableAt);
  Put32(head, SecurityEntryAt(false) + 4, size);
  HugeFile file(head, kTableAt + uint64_t{size});
  EXPECT_EQ(repair::CheckCertificateTable(file), CertificateTable::kTooLarge);
  EXPECT_EQ(file.readsPastHead, 0);
}

TEST(CertificateTable, EveryVerdictHasWords) {
  for (int v = 0; v <= int(CertificateTable::kSecondEntry); ++v)
    EXPECT_STRNE(repair::CertificateTableText(CertificateTable(v)), "unknown") << v;
}

TEST(DerSequenceLength, DefiniteLengthsOfUpToFourBytes) {
  const uint8_t shortForm[] = {0x30, 0x05};
  EXPECT_EQ(repair::DerSequenceLength(shortForm, sizeof shortForm), 7u);
  const uint8_t oneByte[] = {0x30, 0x81, 0xc8};
  EXPECT_EQ(repair::DerSequenceLength(oneByte, sizeof oneByte), 203u);
  const uint8_t fourBytes[] = {0x30, 0x84, 0x01, 0x00, 0x00, 0x00};
  EXPECT_EQ(repair::DerSequenceLength(fourBytes, sizeof fourBytes), 0x1000006u);
  const uint8_t indefinite[] = {0x30, 0x80};
  EXPECT_EQ(repair::DerSequenceLength(indefinite, sizeof indefinite), 0u);
  const uint8_t fiveBytes[] = {0x30, 0x85, 1, 0, 0, 0, 0};
  EXPECT_EQ(repair::DerSequenceLength(fiveBytes, sizeof fiveBytes), 0u);
  const uint8_t cut[] = {0x30, 0x82, 0x01};
  EXPECT_EQ(repair::DerSequenceLength(cut, sizeof cut), 0u);
  const uint8_t integer[] = {0x02, 0x01, 0x00};
  EXPECT_EQ(repair::DerSequenceLength(integer, sizeof integer), 0u);
  EXPECT_EQ(repair::DerSequenceLength(shortForm, 1), 0u);
}

// A certificate's skeleton: TBSCertificate members as given, then an algorithm and a signature.
Bytes Tlv(uint8_t tag, const Bytes& content) {
  Bytes out = {tag};
  if (content.size() < 0x80) {
    out.push_back(uint8_t(content.size()));
  } else {
    out.push_back(0x82);
    out.push_back(uint8_t(content.size() >> 8));
    out.push_back(uint8_t(content.size()));
  }
  Append(out, content);
  return out;
}
Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) Append(out, part);
  return out;
}
const Bytes kKey = Tlv(0x30, Concat({Tlv(0x30, {0x06, 0x01, 0x2a}), Tlv(0x03, Bytes(200, 0x77))}));
Bytes Certificate(bool withVersion) {
  const Bytes name = Tlv(0x30, Bytes{0x31, 0x00});
  Bytes tbs = Concat({withVersion ? Tlv(0xa0, {0x02, 0x01, 0x02}) : Bytes{}, Tlv(0x02, {0x01}),
                      Tlv(0x30, {0x06, 0x01, 0x2a}), name, Tlv(0x30, {}), name, kKey, Tlv(0xa3, {0x30, 0x00})});
  return Tlv(0x30, Concat({Tlv(0x30, tbs), Tlv(0x30, {0x06, 0x01, 0x2a}), Tlv(0x03, {0x00, 0x01})}));
}

TEST(SubjectPublicKeyInfo, FoundWithAndWithoutTheVersion) {
  for (bool withVersion : {true, false}) {
    const Bytes certificate = Certificate(withVersion);
    size_t offset = 0, length = 0;
    ASSERT_TRUE(repair::SubjectPublicKeyInfoSpan(certificate.data(), certificate.size(), offset, length));
    EXPECT_EQ(Bytes(certificate.begin() + offset, certificate.begin() + offset + length), kKey);
  }
}

TEST(SubjectPublicKeyInfo, NotFoundInWhatDoesNotParse) {
  const Bytes certificate = Certificate(true);
  size_t offset = 0, length = 0;
  for (size_t size = 0; size < certificate.size(); ++size)
    EXPECT_FALSE(repair::SubjectPublicKeyInfoSpan(certificate.data(), size, offset, length)) << size;
  Bytes notSequence = certificate;
  notSequence[0] = 0x31;
  EXPECT_FALSE(repair::SubjectPublicKeyInfoSpan(notSequence.data(), notSequence.size(), offset, length));
  // The serial number's place holding something else.
  Bytes noSerial = Certificate(false);
  noSerial[8] = 0x04;
  EXPECT_FALSE(repair::SubjectPublicKeyInfoSpan(noSerial.data(), noSerial.size(), offset, length));
}

const std::string kKeyA(64, 'a'), kKeyB(64, 'b');

TEST(PublisherPinned, TheNameAndOneOfItsOwnRootKeys) {
  const std::vector<repair::TrustedPublisher> publishers = {{"Vendor", {kKeyA}}, {"Other", {kKeyB}}};
  EXPECT_TRUE(repair::PublisherPinned(publishers, "Vendor", kKeyA));
  EXPECT_TRUE(repair::PublisherPinned(publishers, "Other", kKeyB));
  // The other publisher's root does not make a certificate of this name good.
  EXPECT_FALSE(repair::PublisherPinned(publishers, "Vendor", kKeyB));
  EXPECT_FALSE(repair::PublisherPinned(publishers, "vendor", kKeyA));
  EXPECT_FALSE(repair::PublisherPinned(publishers, "Vendor", std::string(64, 'A')));
  EXPECT_FALSE(repair::PublisherPinned(publishers, "Vendor", ""));
  EXPECT_FALSE(repair::PublisherPinned(publishers, "", kKeyA));
  EXPECT_FALSE(repair::PublisherPinned({}, "Vendor", kKeyA));
  EXPECT_FALSE(repair::PublisherPinned({{"Vendor", {}}}, "Vendor", kKeyA));
}

TEST(PublisherPinned, HexIsLowercase) {
  const unsigned char bytes[] = {0x00, 0x9f, 0xa0, 0xff};
  EXPECT_EQ(repair::HexOf(bytes, sizeof bytes), "009fa0ff");
  EXPECT_EQ(repair::HexOf(bytes, 0), "");
}

// What cmake/publishers.cmake made for this build.
TEST(PinnedPublishers, EveryPublisherIsPinnedToWellFormedKeys) {
  const auto& publishers = repair::PinnedPublishers();
  ASSERT_EQ(publishers.size(), repair::TrustedPublishers().size());
  for (size_t i = 0; i < publishers.size(); ++i) {
    EXPECT_EQ(publishers[i].name, repair::TrustedPublishers()[i]);
    EXPECT_FALSE(publishers[i].rootKeys.empty()) << publishers[i].name;
    for (const std::string& key : publishers[i].rootKeys) {
      EXPECT_EQ(key.size(), 64u) << key;
      EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos) << key;
    }
  }
}

TEST(PinnedPublishers, MicrosoftIsPinnedToItsCodeSigningRoots) {
  for (const auto& publisher : repair::PinnedPublishers()) {
    if (publisher.name != "Microsoft Corporation") continue;
    // Microsoft Root Authority, Microsoft Root Certificate Authority, its 2010 and 2011 roots.
    EXPECT_EQ(publisher.rootKeys.size(), 4u);
    EXPECT_TRUE(repair::PublisherPinned({publisher}, publisher.name,
                                        "02376d0908ac23041cc7d666d9daf192554f7fc36317aa9cb800908616b28af8"));
    return;
  }
  ADD_FAILURE() << "this build does not trust Microsoft Corporation";
}

}  // namespace
