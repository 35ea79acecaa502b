#include "zip_test_writer.h"

#include <zlib.h>

namespace ui_test {

namespace {

void Append16(std::vector<uint8_t>* out, uint16_t value) {
  out->push_back(static_cast<uint8_t>(value));
  out->push_back(static_cast<uint8_t>(value >> 8));
}

void Append32(std::vector<uint8_t>* out, uint32_t value) {
  Append16(out, static_cast<uint16_t>(value));
  Append16(out, static_cast<uint16_t>(value >> 16));
}

void AppendText(std::vector<uint8_t>* out, const std::string& text) {
  out->insert(out->end(), text.begin(), text.end());
}

std::string RawDeflate(const std::string& input) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, input.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

struct Written {
  uint32_t crc;
  uint32_t compressedSize;
  uint16_t method;
};

}  // namespace

TestZip MakeZip(const std::vector<ZipTestFile>& files, const std::string& comment) {
  TestZip zip;
  std::vector<Written> written;
  for (const ZipTestFile& file : files) {
    const std::string payload = file.deflate ? RawDeflate(file.content) : file.content;
    const Written entry{
        static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(file.content.data()),
                                    static_cast<uInt>(file.content.size()))),
        static_cast<uint32_t>(payload.size()), static_cast<uint16_t>(file.deflate ? 8 : 0)};
    written.push_back(entry);
    zip.localHeaders.push_back(zip.bytes.size());
    Append32(&zip.bytes, 0x04034b50);
    Append16(&zip.bytes, 20);  // version needed
    Append16(&zip.bytes, 0);   // flags
    Append16(&zip.bytes, entry.method);
    Append32(&zip.bytes, 0);   // time and date
    Append32(&zip.bytes, entry.crc);
    Append32(&zip.bytes, entry.compressedSize);
    Append32(&zip.bytes, static_cast<uint32_t>(file.content.size()));
    Append16(&zip.bytes, static_cast<uint16_t>(file.name.size()));
    Append16(&zip.bytes, 0);   // extra field
    AppendText(&zip.bytes, file.name);
    zip.data.push_back(zip.bytes.size());
    AppendText(&zip.bytes, payload);
  }
  const size_t directoryStart = zip.bytes.size();
  for (size_t i = 0; i < files.size(); ++i) {
    zip.centralHeaders.push_back(zip.bytes.size());
    Append32(&zip.bytes, 0x02014b50);
    Append16(&zip.bytes, 20);  // version made by
    Append16(&zip.bytes, 20);  // version needed
    Append16(&zip.bytes, 0);   // flags
    Append16(&zip.bytes, written[i].method);
    Append32(&zip.bytes, 0);   // time and date
    Append32(&zip.bytes, written[i].crc);
    Append32(&zip.bytes, written[i].compressedSize);
    Append32(&zip.bytes, static_cast<uint32_t>(files[i].content.size()));
    Append16(&zip.bytes, static_cast<uint16_t>(files[i].name.size()));
    Append16(&zip.bytes, 0);   // extra field
    Append16(&zip.bytes, 0);   // comment
    Append16(&zip.bytes, 0);   // disk
    Append16(&zip.bytes, 0);   // internal attributes
    Append32(&zip.bytes, 0);   // external attributes
    Append32(&zip.bytes, static_cast<uint32_t>(zip.localHeaders[i]));
    AppendText(&zip.bytes, files[i].name);
  }
  const size_t directorySize = zip.bytes.size() - directoryStart;
  zip.endRecord = zip.bytes.size();
  Append32(&zip.bytes, 0x06054b50);
  Append16(&zip.bytes, 0);
  Append16(&zip.bytes, 0);
  Append16(&zip.bytes, static_cast<uint16_t>(files.size()));
  Append16(&zip.bytes, static_cast<uint16_t>(files.size()));
  Append32(&zip.bytes, static_cast<uint32_t>(directorySize));
  Append32(&zip.bytes, static_cast<uint32_t>(directoryStart));
  Append16(&zip.bytes, static_cast<uint16_t>(comment.size()));
  AppendText(&zip.bytes, comment);
  return zip;
}

void Put16(std::vector<uint8_t>* bytes, size_t offset, uint16_t value) {
  (*bytes)[offset] = static_cast<uint8_t>(value);
  (*bytes)[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>* bytes, size_t offset, uint32_t value) {
  Put16(bytes, offset, static_cast<uint16_t>(value));
  Put16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace ui_test
